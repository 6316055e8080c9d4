// The path section between two levels: an open field of holes and pick-ups on the board window,
// with the next board hidden somewhere in it as the exit.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"
#include "ui/platform.h"

#include <algorithm>

namespace {

constexpr int kHoles = 31;
// Path sections whose trail stays on the field; the next one wipes it.
constexpr double kTrailSections = 6;

// The path's pick-ups in the order they are placed and collected.
constexpr Form2::PickUp kPathPickUps[] = {
    {&Form2::Foody, &MDIForm1::Food, "You got the foods"},
    {&Form2::Goldy, &MDIForm1::Gold, "You got the gold"},
    {&Form2::Tempy, &MDIForm1::Tempo, "You got the time"},
};

bool readsZero(const ui::HiddenField& field) {
    return ui::readNumber(field.text()) == 0.0;
}

} // namespace

void Form2::BuildPath() {
    ui::Platform& platform = game_.platform();
    ui::addTo(NuovoL, 1);
    game_.main().Timer2.setEnabled(true);
    if (ui::holds(NuovoL.text(), [](double sections) { return sections > kTrailSections; })) {
        // The old trail is wiped, and its marks are freed rather than kept hidden.
        while (Track.count() > 1)
            Track.unload(Track.count() - 1);
        NuovoL.setText(QStringLiteral("0"));
    }

    for (int i = 0; i < kHoles; ++i) {
        const double top = ui::draw(platform, height());
        const double left = ui::draw(platform, width());
        ui::Label& hole = Foro.load(i);
        hole.setVisible(true);
        hole.setTop(top);
        hole.setLeft(left);
    }
    for (const PickUp& pickUp : kPathPickUps) {
        // Anywhere in the window, folded back by the hidden board's size.
        ui::Label& object = this->*pickUp.object;
        const double top = ui::draw(platform, height());
        const double left = ui::draw(platform, width());
        PlaceOnBoard(object, top, left);
        object.setVisible(true);
    }
    Camin.setText(QStringLiteral("1"));

    // The first path section starts at the old board's corner; later ones where the player
    // stood before the last step of the section before.
    if (readsZero(MioCorX))
        MioCorX.setText(ui::numberText(Pic.top()));
    if (readsZero(MioCorY))
        MioCorY.setText(ui::numberText(Pic.left()));
    Mio2.setVisible(true);
    if (const auto top = ui::readNumber(MioCorX.text()))
        Mio2.setTop(*top);
    if (const auto left = ui::readNumber(MioCorY.text()))
        Mio2.setLeft(*left);
    Pic.setVisible(false);
}

void Form2::CheckPathPickup() {
    // Every pick-up touched is taken in the same move.
    for (const PickUp& pickUp : kPathPickUps) {
        const ui::Label& object = this->*pickUp.object;
        if (object.visible() && IsTouching(object, Mio2))
            Collect(pickUp);
    }

    for (int i = 0; i < Foro.count(); ++i) {
        if (!Foro.isLoaded(i))
            continue;
        ui::Label& hole = Foro[i];
        if (hole.visible() && Mio2.visible() && IsTouching(hole, Mio2)) {
            hole.setVisible(false);
            HandlePathFall();
            return;
        }
    }

    // The exit is chosen on the first move: the next board, laid out but not shown.
    if (!InCammino.isSet()) {
        game_.platform().reseedFromTime();
        LayOutBoard();
        InCammino.setText(QStringLiteral("1"));
    }
    const bool reached = Mio2.left() >= Pic.left() && Pic.left() + Pic.width() >= Mio2.left() &&
                         Mio2.top() >= Pic.top() && Pic.top() + Pic.height() >= Mio2.top();
    if (!reached)
        return;
    Pic.setVisible(true);
    MDIForm1& status = game_.main();
    ui::addTo(status.Liv, 1);
    status.setMessage(QStringLiteral("New level"));
    Mio.setTop(Pic.height() / 2);
    Mio.setLeft(Pic.width() / 2);
    Mio2.setVisible(false);
    Camin.setText({});
    BuildLevel();
}
