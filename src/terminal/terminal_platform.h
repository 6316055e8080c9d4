#pragma once

#include "app/screen_platform.h"

class ClockDriver;
class TerminalView;

// The terminal the game runs on: its dialogs are boxes over the scene, the screen is the terminal
// above the status panel, and the help page opens in a browser only where a display exists.
class TerminalPlatform : public ScreenPlatform {
  public:
    // The view hosts the dialogs and gives the screen's size, and the game clock stands still
    // while a dialog is open.
    void attach(TerminalView& view, ClockDriver& driver);

    bool openAddress(const QString& url) override;
    double screenWidth() const override;
    double screenHeight() const override;

  private:
    std::optional<QString> show(const DialogRequest& request) override;
    bool canShowDialogs() const override { return view_; }
    void stop() override;

    TerminalView* view_ = nullptr;
};
