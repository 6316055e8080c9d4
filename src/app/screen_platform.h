#pragma once

#include "app/dialog_request.h"
#include "app/real_platform.h"

#include <optional>

class ClockDriver;

// The platform of a front end that shows the game on a screen: the game's dialogs, during which
// the game clock stands still, and the program's end, after which nothing reaches the game. The
// front end says how a dialog shows, whether one can, and how it stops.
class ScreenPlatform : public RealPlatform {
  public:
    // The clock that stands still while a dialog is open.
    void attachClock(ClockDriver& driver) { driver_ = &driver; }

    // A question with Yes and No; true for Yes.
    bool askYesNo(const QString& question);

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed) override;
    void messageBox(const QString& text) override;
    void exitNow() override;

  protected:
    // Shows the dialog until the player answers: the line typed into a prompt, an empty text for
    // OK or Yes; nothing for No or a dialog closed unanswered.
    virtual std::optional<QString> show(const DialogRequest& dialog) = 0;
    // No dialog shows before the front end is there, nor once the program ends: the handler that
    // asks then runs to its end unanswered.
    virtual bool canShowDialogs() const = 0;
    // The program ends: the handler that asked still runs to its end, but nothing reaches the game
    // after it.
    virtual void stop() = 0;

  private:
    std::optional<QString> run(const DialogRequest& dialog);

    ClockDriver* driver_ = nullptr;
};
