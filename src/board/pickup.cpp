// What the dungeon player steps on: the gate, the four pick-ups, the secret passage, quicksand.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"
#include "ui/platform.h"

namespace {

// The most a pick-up gives.
constexpr double kPickUpDie = 10;
// Levels skipped by the secret passage.
constexpr double kPassageLevels = 2;

// The board's pick-ups in the order they are tested.
constexpr Form2::PickUp kPickUps[] = {
    {&Form2::Coins, &MDIForm1::Gold, "You got the gold"},
    {&Form2::Hit, &MDIForm1::Hits, "You got the hits"},
    {&Form2::Food, &MDIForm1::Food, "You got the foods"},
    {&Form2::Serum, &MDIForm1::Serum, "You got the serum"},
};

} // namespace

bool Form2::IsTouching(const ui::Label& object, const ui::Label& player) {
    // A step's length to the object's left, its own width to its right, and the player's height
    // above and below it.
    return player.left() > object.left() - kStep &&
           player.left() < object.left() + object.width() &&
           object.top() > player.top() - player.height() &&
           object.top() < player.top() + player.height();
}

void Form2::Collect(const PickUp& pickUp) {
    MDIForm1& status = game_.main();
    ui::addTo(status.*pickUp.stat, ui::draw(game_.platform(), kPickUpDie));
    (this->*pickUp.object).setVisible(false);
    status.setMessage(QString::fromLatin1(pickUp.message));
}

void Form2::CheckPickup() {
    const auto touches = [this](const ui::Label& object) {
        return object.visible() && IsTouching(object, Mio);
    };
    // Only the first touching object acts in a turn.
    if (touches(Gate)) {
        Pic.setVisible(false);
        InCammino.setText({});
        BuildPath();
        return;
    }
    for (const PickUp& pickUp : kPickUps) {
        if (touches(this->*pickUp.object)) {
            Collect(pickUp);
            return;
        }
    }
    MDIForm1& status = game_.main();
    if (touches(PSecret)) {
        ui::addTo(status.Liv, kPassageLevels);
        status.setMessage(QStringLiteral("Secret passage +2 Level!"));
        Mio.setTop(Pic.height() / 2);
        Mio.setLeft(Pic.width() / 2);
        BuildLevel();
        return;
    }
    if (touches(Trap)) {
        // Held until the quicksand timer lets go.
        G.setText(QStringLiteral("1"));
        Trappola.setEnabled(true);
    }
}
