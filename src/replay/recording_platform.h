#pragma once

#include "ui/platform.h"

#include <QStringList>
#include <functional>

// The real platform with every answer that reaches the rules written down: typed answers, the
// screen's size and each reseed. Chance comes from the game's generator, seeded when made from the
// program's seed or the time of day, so the seed and the answers fix the game.
class RecordingPlatform : public ui::Platform {
  public:
    explicit RecordingPlatform(ui::Platform& inner, const std::optional<ui::GameSeed>& seed = {},
                               bool once = false);

    // The real platform, for what the game does not hear of.
    ui::Platform& inner() { return inner_; }

    // Hears each answer as an event kind and its arguments.
    std::function<void(const QString& kind, const QStringList& args)> note;

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed) override;
    void messageBox(const QString& text) override { inner_.messageBox(text); }
    bool openAddress(const QString& url) override { return inner_.openAddress(url); }
    void exitNow() override;
    double screenWidth() const override;
    double screenHeight() const override;
    QString programFolder() const override { return inner_.programFolder(); }
    QString dataFolder() const override { return inner_.dataFolder(); }
    double timeOfDay() const override { return inner_.timeOfDay(); }
    void reseedFor(ui::Reseed kind) override;

  private:
    void tell(const QString& kind, const QStringList& args) const;

    ui::Platform& inner_;
};
