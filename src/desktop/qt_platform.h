#pragma once

#include "ui/platform.h"

#include <QtGlobal>
#include <optional>

class ClockDriver;
class DesktopWindow;
class QDialog;

// The desktop the game runs on: real dialogs over the main window, the browser, the clock of the
// day (read many times a second on a drifting board, so without a look at the time zone each
// time), and the game's generator seeded from it.
class QtPlatform : public ui::Platform {
  public:
    QtPlatform();

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
    QString programFolder() const override;
    // ~/.local/share/Vexmoor; none without a home folder.
    QString dataFolder() const override;
    // The player's own folders (data and settings) live in the home folder; with HOME unset, not
    // absolute, the root or no folder, they would land at the filesystem's root, so there is none.
    static bool hasHome();
    double timeOfDay() const override;

  private:
    int runModal(QDialog& dialog);
    qint64 millisecondOfDay() const;

    DesktopWindow* window_ = nullptr;
    ClockDriver* driver_ = nullptr;
    mutable std::optional<qint64> offsetTakenAt_; // UTC milliseconds of the last look-up
    mutable qint64 offsetMs_ = 0;
};
