// The cheat prompt behind every caption of the status panel.
#include "board/form2.h"
#include "shell/game.h"
#include "shell/mdiform1.h"
#include "ui/number.h"

#include <algorithm>
#include <cmath>

void MDIForm1::Et_Click() {
    ui::Platform& platform = game_.platform();
    const QString code =
        platform.inputBox(QStringLiteral("Cheat:"), QStringLiteral("Use codes cheat"), QString());
    if (code == QLatin1String("qyx")) {
        Timer1.setEnabled(true);
        setRestoredValues();
        if (Form2* board = game_.board()) {
            board->Mio.setVisible(true);
            board->Mio.setTop(100);
            board->Mio.setLeft(100);
            board->GameOver.setText({});
            board->G.setText({});
        }
        ContPart.setText(QStringLiteral("5"));
        setRope(true);
        setMessage(QStringLiteral("God had mercy."));
    } else if (code == QLatin1String("vumo")) {
        const QString answer = platform.inputBox(
            QStringLiteral("Leap to:"), QStringLiteral("Number of level (1 - 98)"), QString());
        const auto level = ui::readNumber(answer);
        // Only a whole number leaps; anything else changes nothing.
        if (!level || *level != std::floor(*level))
            return;
        Liv.setText(ui::numberText(std::clamp(*level, 1.0, 98.0)));
    }
}
