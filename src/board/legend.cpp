// The legend: a click on an object of the board window tells what it is.
#include "board/board_window.h"

#include "shell/game.h"

namespace {

// The spider's and the bat's texts end alike: the serum protects from both.
const QString kSerumProtects =
    QStringLiteral(". Hits Attack = His number. The serum protects you.");

} // namespace

void BoardWindow::connectLegend() {
    player.onClick = [this] { describePlayer(); };
    pathPlayer.onClick = [this] { describePlayer(); };
    gate.onClick = [this] { describeGate(); };
    secretPassage.onClick = [this] { describeSecretPassage(); };
    goldPickup.onClick = [this] { describeGold(); };
    hitsPickup.onClick = [this] { describeHits(); };
    foodPickup.onClick = [this] { describeFood(); };
    serumPickup.onClick = [this] { describeSerum(); };
    quicksand.onClick = [this] { describeQuicksand(); };
    demon.onClick = [this] { describeDemon(); };
    spider.onClick = [this] { describeSpider(); };
    bat.onClick = [this] { describeBat(); };
    pathTime.onClick = [this] { describePathTime(); };
    pathGold.onClick = [this] { describeGold(); };
    pathFood.onClick = [this] { describeFood(); };
    holes.onClick = [this](int) { describeHole(); };
}

void BoardWindow::describePlayer() {
    game_.platform().messageBox(QStringLiteral("Your Name is: ") +
                                game_.mainWindow().playerName.text());
}

void BoardWindow::describeGate() {
    game_.platform().messageBox(QStringLiteral("Gate: Go to Next Level"));
}

void BoardWindow::describeSecretPassage() {
    game_.platform().messageBox(QStringLiteral("Secret Passage: Go to +2 Level"));
}

void BoardWindow::describeGold() {
    game_.platform().messageBox(QStringLiteral("Gold: Buy items"));
}

void BoardWindow::describeHits() {
    game_.platform().messageBox(QStringLiteral("Hits: Attack enemies"));
}

void BoardWindow::describeFood() {
    game_.platform().messageBox(QStringLiteral("Food: Improve food"));
}

void BoardWindow::describeSerum() {
    game_.platform().messageBox(
        QStringLiteral("Serum: Serum protects you from the attack of the spiders."));
}

void BoardWindow::describeQuicksand() {
    game_.platform().messageBox(QStringLiteral("Quicksand: Stop for 5 seconds!"));
}

void BoardWindow::describeDemon() {
    game_.platform().messageBox(
        QStringLiteral("Demon: It's a demon of level ") + demon.text() +
        QStringLiteral(". Hits Attack = His number. The armor protects you."));
}

void BoardWindow::describeSpider() {
    game_.platform().messageBox(QStringLiteral("Giant Spider: It's a Spider of level ") +
                                spider.text() + kSerumProtects);
}

void BoardWindow::describeBat() {
    game_.platform().messageBox(QStringLiteral("Giant BAT: It's a BAT of level ") + bat.text() +
                                kSerumProtects);
}

void BoardWindow::describePathTime() {
    game_.platform().messageBox(QStringLiteral("Time: It's a time life"));
}

void BoardWindow::describeHole() {
    game_.platform().messageBox(QStringLiteral("Hole: A danger hole for you life"));
}
