#pragma once

#include "app/real_platform.h"

class ClockDriver;
class DesktopWindow;
class QDialog;

// The desktop the game runs on: real dialogs over the main window, the browser, and the MDI area
// as the screen.
class QtPlatform : public RealPlatform {
  public:
    // The main window hosts the dialogs, its MDI area at its designed size is the screen, and the
    // game clock stands still while a dialog is open.
    void attach(DesktopWindow& window, ClockDriver& driver);

    // A question over the main window with Yes and No; true for Yes.
    bool askYesNo(const QString& question);

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed) override;
    void messageBox(const QString& text) override;
    bool openAddress(const QString& url) override;
    void exitNow() override;
    double screenWidth() const override;
    double screenHeight() const override;

  private:
    int runModal(QDialog& dialog);

    DesktopWindow* window_ = nullptr;
    ClockDriver* driver_ = nullptr;
};
