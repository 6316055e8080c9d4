// The quicksand: the trap's digit counts the stop down, then the player is free and the trap moves
// or vanishes.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"
#include "ui/platform.h"

namespace {

const QString kStopSeconds = QStringLiteral("5");
// The trap comes back elsewhere when a draw from 20 is below 10.
constexpr double kReturnDie = 20;
constexpr int kReturnsBelow = 10;

} // namespace

void Form2::Trappola_Timer() {
    ui::addTo(Trap, -1);
    // A caption that holds no number ends the stop as well, so the player is never held for good.
    if (!ui::holds(Trap.text(), [](double seconds) { return seconds <= 0; }))
        return;

    Trap.setVisible(false);
    Trappola.setEnabled(false);
    Trap.setText(kStopSeconds);
    G.setText({});
    if (ui::draw(game_.platform(), kReturnDie) < kReturnsBelow) {
        Trap.setVisible(true);
        ScatterObject(Trap);
    }
}
