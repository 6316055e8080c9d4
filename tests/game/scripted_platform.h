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

// A platform that answers from a script (input boxes: cancelled, draws: 0 once the queues run
// out) and records every box, address and exit; its folders are private and temporary.
class ScriptedPlatform : public ui::Platform {
  public:
    std::deque<QString> answers;
    std::vector<QString> prompts; // "prompt/title/proposed"
    std::vector<QString> messages;
    std::vector<QString> addresses;
    bool addressOpens = true; // false: no browser takes the address
    int exits = 0;
    std::deque<double> randoms;
    int randomCalls = 0;
    int reseeds = 0;
    double screenW = 11760, screenH = 7830;
    QTemporaryDir home;
    QString folder = home.path();
    QString userFolder = QDir(home.path()).filePath("data");
    double seconds = 36000;
    QString date = QStringLiteral("2026-12-07");

    // Queues a uniform number that makes draw(n) give value.
    void queueDraw(int value, double n) { randoms.push_back((value - 0.5) / n); }
    void queueAnswer(const QString& text) { answers.push_back(text); }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& proposed) override {
        prompts.push_back(prompt + '/' + title + '/' + proposed);
        const QString answer = answers.empty() ? QString() : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
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
        const double u = randoms.empty() ? 0.0 : randoms.front();
        if (!randoms.empty())
            randoms.pop_front();
        return u;
    }
    void reseedFor(ui::Reseed) override { ++reseeds; }
};
