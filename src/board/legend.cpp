// The legend: a click on an object of the board window tells what it is.
#include "board/form2.h"

#include "shell/game.h"

namespace {

const QString kFood = QStringLiteral("Food: Improve food");
const QString kGold = QStringLiteral("Gold: Buy items");
// The spider's and the bat's texts end alike: the serum protects from both.
const QString kSerumProtects =
    QStringLiteral(". Hits Attack = His number. The serum protects you.");

} // namespace

void Form2::connectLegend() {
    Mio.onClick = [this] { Mio_Click(); };
    Mio2.onClick = [this] { Mio2_Click(); };
    Gate.onClick = [this] { Gate_Click(); };
    PSecret.onClick = [this] { PSecret_Click(); };
    Coins.onClick = [this] { Coins_Click(); };
    Hit.onClick = [this] { Hit_Click(); };
    Food.onClick = [this] { Food_Click(); };
    Serum.onClick = [this] { Serum_Click(); };
    Trap.onClick = [this] { Trap_Click(); };
    Monster.onClick = [this] { Monster_Click(); };
    Spider.onClick = [this] { Spider_Click(); };
    Bat.onClick = [this] { Bat_Click(); };
    Tempy.onClick = [this] { Tempy_Click(); };
    Goldy.onClick = [this] { Goldy_Click(); };
    Foody.onClick = [this] { Foody_Click(); };
    Foro.onClick = [this](int index) { Foro_Click(index); };
}

void Form2::Mio_Click() {
    game_.platform().messageBox(QStringLiteral("Your Name is: ") + game_.main().Player.text());
}

void Form2::Mio2_Click() {
    Mio_Click();
}

void Form2::Gate_Click() {
    game_.platform().messageBox(QStringLiteral("Gate: Go to Next Level"));
}

void Form2::PSecret_Click() {
    game_.platform().messageBox(QStringLiteral("Secret Passage: Go to +2 Level"));
}

void Form2::Coins_Click() {
    game_.platform().messageBox(kGold);
}

void Form2::Hit_Click() {
    game_.platform().messageBox(QStringLiteral("Hits: Attack enemies"));
}

void Form2::Food_Click() {
    game_.platform().messageBox(kFood);
}

void Form2::Serum_Click() {
    game_.platform().messageBox(
        QStringLiteral("Serum: Serum protects you from the attack of the spiders."));
}

void Form2::Trap_Click() {
    game_.platform().messageBox(QStringLiteral("Quicksand: Stop for 5 seconds!"));
}

void Form2::Monster_Click() {
    game_.platform().messageBox(
        QStringLiteral("Demon: It's a demon of level ") + Monster.text() +
        QStringLiteral(". Hits Attack = His number. The armor protects you."));
}

void Form2::Spider_Click() {
    game_.platform().messageBox(QStringLiteral("Giant Spider: It's a Spider of level ") +
                                Spider.text() + kSerumProtects);
}

void Form2::Bat_Click() {
    game_.platform().messageBox(QStringLiteral("Giant BAT: It's a BAT of level ") + Bat.text() +
                                kSerumProtects);
}

void Form2::Tempy_Click() {
    game_.platform().messageBox(QStringLiteral("Time: It's a time life"));
}

void Form2::Goldy_Click() {
    game_.platform().messageBox(kGold);
}

void Form2::Foody_Click() {
    game_.platform().messageBox(kFood);
}

void Form2::Foro_Click(int /*index*/) {
    game_.platform().messageBox(QStringLiteral("Hole: A danger hole for you life"));
}
