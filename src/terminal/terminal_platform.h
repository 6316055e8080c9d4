#pragma once

#include "app/real_platform.h"

class ClockDriver;
class Dialog;
class TerminalView;

// The terminal the game runs on: its dialogs are boxes over the scene, the screen is the terminal
// above the status panel, and the help page opens in a browser only where a display exists.
class TerminalPlatform : public RealPlatform {
  public:
    // The view hosts the dialogs and gives the screen's size, and the game clock stands still
    // while a dialog is open.
    void attach(TerminalView& view, ClockDriver& driver);

    // A question with Yes and No; true for Yes.
    bool askYesNo(const QString& question);

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed) override;
    void messageBox(const QString& text) override;
    bool openAddress(const QString& url) override;
    void exitNow() override;
    double screenWidth() const override;
    double screenHeight() const override;

  private:
    bool run(Dialog& dialog);

    TerminalView* view_ = nullptr;
    ClockDriver* driver_ = nullptr;
};
