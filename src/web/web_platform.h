#pragma once

#include "app/screen_platform.h"

class ClockDriver;
class WebView;

// The game process's platform: the dialogs go to the page and back, the help page opens in the
// page's browser, the screen is the design's area, and every file of the player's (the saved
// game, the recordings) lives in the folder the server gave.
class WebPlatform : public ScreenPlatform {
  public:
    explicit WebPlatform(QString folder) : folder_(std::move(folder)) {}

    // The view hosts the dialogs, and the game clock stands still while one is open.
    void attach(WebView& view, ClockDriver& driver);

    bool openAddress(const QString& url) override;
    double screenWidth() const override;
    double screenHeight() const override;
    QString programFolder() const override { return folder_; }
    QString dataFolder() const override { return folder_; }
    // The program ends as the view ends it.
    void exitNow() override { stop(); }

  private:
    std::optional<QString> show(const DialogRequest& request) override;
    bool canShowDialogs() const override;
    void stop() override;

    QString folder_;
    WebView* view_ = nullptr;
};
