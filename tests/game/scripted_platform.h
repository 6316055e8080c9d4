#pragma once

#include "ui/platform.h"

#include <QString>
#include <deque>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A platform that answers from a script: queued answers for input boxes and queued uniform numbers
// for the random draws, and a record of every box, address and exit.
class ScriptedPlatform : public ui::Platform {
  public:
    struct Prompt {
        QString prompt, title, proposed;
    };

    std::deque<QString> answers; // empty queue: the box is cancelled
    std::vector<Prompt> prompts;
    std::vector<QString> messages;
    std::vector<QString> addresses;
    bool addressOpens = true; // false: no browser takes the address
    int exits = 0;
    std::deque<double> randoms; // empty queue: 0.0
    int randomCalls = 0;
    int reseeds = 0;
    double screenW = 11760, screenH = 7830;
    QString folder = QStringLiteral("/tmp");
    QString userFolder = QStringLiteral("/tmp");
    double seconds = 36000;
    QString date = QStringLiteral("2026-12-07");

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
    bool openAddress(const QString& url) override {
        addresses.push_back(url);
        return addressOpens;
    }
    void exitNow() override { ++exits; }
    double screenWidth() const override { return screenW; }
    double screenHeight() const override { return screenH; }
    QString programFolder() const override { return folder; }
    QString dataFolder() const override { return userFolder; }
    double timeOfDay() const override { return seconds; }
    QString today() const override { return date; }
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
