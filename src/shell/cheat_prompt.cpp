// The cheat prompt behind every caption of the status panel.
#include "board/board_window.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "ui/flag.h"
#include "ui/number.h"
#include "ui/stat.h"

#include <algorithm>
#include <cmath>

void MainWindow::openCheatPrompt() {
    ui::Platform& platform = game_.platform();
    const QString code =
        platform.inputBox(QStringLiteral("Cheat:"), QStringLiteral("Use codes cheat"), QString());
    const double levelLeft = ui::Stat(level).value().value_or(0);
    if (code == QLatin1String("qyx")) {
        game_.hallOfFame().cheated(levelLeft);
        countdown.setEnabled(true);
        setRestoredValues();
        if (BoardWindow* boardWindow = game_.boardWindow()) {
            boardWindow->player.setVisible(true);
            boardWindow->player.setTop(100);
            boardWindow->player.setLeft(100);
            ui::Flag(boardWindow->gameOver).clear();
            ui::Flag(boardWindow->stuckInQuicksand).clear();
        }
        ui::Stat(continues).set(kContinues);
        setRope(true);
        setMessage(QStringLiteral("God had mercy."));
    } else if (code == QLatin1String("vumo")) {
        const QString answer = platform.inputBox(
            QStringLiteral("Leap to:"), QStringLiteral("Number of level (1 - 98)"), QString());
        const auto leap = ui::readNumber(answer);
        // Only a whole number leaps; anything else changes nothing.
        if (!leap || *leap != std::floor(*leap))
            return;
        ui::Stat(level).set(std::clamp(*leap, 1.0, 98.0));
        game_.hallOfFame().cheated(levelLeft);
    }
}
