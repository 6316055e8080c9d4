#pragma once

#include "ui/platform.h"

#include <QtGlobal>
#include <optional>

// What every front end's platform answers alike: the program's folder, the player's data folder
// (~/.local/share/Vexmoor), the clock of the day (read many times a second on a drifting board, so
// without a look at the time zone each time), and the game's generator seeded from it.
class RealPlatform : public ui::Platform {
  public:
    RealPlatform();

    QString programFolder() const override;
    // ~/.local/share/Vexmoor; none without a home folder.
    QString dataFolder() const override;
    // The player's own folders (data and settings) live in the home folder; with HOME unset, not
    // absolute, the root or no folder, they would land at the filesystem's root, so there is none.
    static bool hasHome();
    double timeOfDay() const override;

  private:
    qint64 millisecondOfDay() const;

    mutable std::optional<qint64> offsetTakenAt_; // UTC milliseconds of the last look-up
    mutable qint64 offsetMs_ = 0;
};
