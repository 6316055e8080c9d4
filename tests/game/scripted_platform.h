#pragma once

#include "ui/platform.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A platform that answers from a script: queued answers for input boxes and queued uniform numbers
// for the random draws, and a record of every box, address and exit. Its program folder is a
// private temporary folder, and its data folder a folder inside it that does not exist yet.
class ScriptedPlatform : public ui::Platform {
  public:
    struct Prompt {
        QString prompt, title, proposed;
    };

    std::deque<QString> answers; // empty queue: the box is cancelled
    std::vector<Prompt> prompts;
    std::vector<QString> messages;
    std::vector<QString> addresses;
    int exits = 0;
    std::deque<double> randoms; // empty queue: 0.0
    int randomCalls = 0;
    int reseeds = 0;
    double screenW = 11760, screenH = 7830;
    QTemporaryDir home;
    QString folder = home.path();
    QString userFolder = QDir(home.path()).filePath(QStringLiteral("data"));
    double seconds = 36000;

    // Queues a uniform number that makes draw(n) give value.
    void queueDraw(int value, double n) { randoms.push_back((value - 0.5) / n); }
    void queueAnswer(const QString& text) { answers.push_back(text); }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& proposed) override {
        prompts.push_back({prompt, title, proposed});
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
    void messageBox(const QString& text) override { messages.push_back(text); }
    void openAddress(const QString& url) override { addresses.push_back(url); }
    void exitNow() override { ++exits; }
    double screenWidth() const override { return screenW; }
    double screenHeight() const override { return screenH; }
    QString programFolder() const override { return folder; }
    QString dataFolder() const override { return userFolder; }
    double timeOfDay() const override { return seconds; }
    double random() override {
        ++randomCalls;
        if (randoms.empty())
            return 0.0;
        double u = randoms.front();
        randoms.pop_front();
        return u;
    }
    void reseedFromTime() override { ++reseeds; }
};
