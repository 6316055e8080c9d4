#pragma once

#include "shell/game.h"
#include "ui/platform.h"

#include <QDir>
#include <random>

// A desktop without a desktop, for measuring: draws from a Mersenne twister with a fixed seed that
// reseeding leaves alone, "Bench" for the name prompt, and no dialogs, browser or exit.
class SeededPlatform : public ui::Platform {
  public:
    explicit SeededPlatform(unsigned seed) : engine_(seed) {}

    QString inputBox(const QString&, const QString&, const QString&) override {
        return QStringLiteral("Bench");
    }
    void messageBox(const QString&) override {}
    bool openAddress(const QString&) override { return true; }
    void exitNow() override {}
    double screenWidth() const override { return 11760; }
    double screenHeight() const override { return 7830; }
    QString programFolder() const override { return QDir::tempPath(); }
    QString dataFolder() const override { return QDir::tempPath(); }
    double timeOfDay() const override { return 36000; }
    double random() override { return unit_(engine_); }
    void reseedFor(ui::Reseed) override {}

  private:
    std::mt19937 engine_;
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

// Seeds whose first level is quiet (neither the closing wall nor the drift) or drifts.
inline constexpr unsigned kQuietSeed = 4;
inline constexpr unsigned kDriftSeed = 23;
