#pragma once

#include <QString>

namespace ui {
class Platform;
}

// Where "Save.ini" lives. A copy run from its build folder keeps it beside the executable; an
// installed copy (the executable in <prefix>/bin, or /usr/games of the package, beside
// <prefix>/share/vexmoor, where its help page lives) keeps it in the player's data folder, and so
// never writes into a system folder, even as root. A program folder that cannot be written sends
// the save to the data folder too.
namespace savefile {

// Where the shop's save writes; empty when it would go to the data folder and there is none.
QString savePath(const ui::Platform& platform);

// Where a load reads: the most recently written of the program folder's and the data folder's
// saves, so that a save is never hidden when the place saves go to changes.
QString loadPath(const ui::Platform& platform);

} // namespace savefile
