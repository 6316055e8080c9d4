#pragma once

#include "app/screen_platform.h"

class ClockDriver;
class DesktopWindow;

// The desktop the game runs on: real dialogs over the main window, the browser, and the MDI area
// as the screen.
class QtPlatform : public ScreenPlatform {
  public:
    // The main window hosts the dialogs, its MDI area at its designed size is the screen, and the
    // game clock stands still while a dialog is open.
    void attach(DesktopWindow& window, ClockDriver& driver);

    bool openAddress(const QString& url) override;
    double screenWidth() const override;
    double screenHeight() const override;

  private:
    std::optional<QString> show(const DialogRequest& dialog) override;
    bool canShowDialogs() const override;
    void stop() override;

    DesktopWindow* window_ = nullptr;
};
