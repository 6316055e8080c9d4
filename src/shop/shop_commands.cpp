// The shop's single-key commands: purchases, food, prayer, a new game, a continue, save and load.
#include "board/form2.h"
#include "shell/game.h"
#include "shell/help.h"
#include "shop/form3.h"
#include "shop/savedgame.h"
#include "ui/number.h"

#include <array>
#include <cmath>
#include <string_view>

namespace {

// Commands that do nothing while the game is over.
constexpr std::string_view kBlocked = "ABCDEFGSWTRKX";

bool blocked(int keyCode) {
    return keyCode >= 'A' && keyCode <= 'Z' &&
           kBlocked.find(static_cast<char>(keyCode)) != std::string_view::npos;
}

} // namespace

void Form3::Form_KeyDown(int keyCode) {
    MDIForm1& status = game_.main();
    // The food that E and F move: the whole amount, to the nearest whole number.
    const double food = std::round(ui::readNumber(status.Food.text()).value_or(0));
    if (gameOver() && blocked(keyCode))
        return;
    switch (keyCode) {
    case 'A':
        buy(status.Energy, 5, 10);
        break;
    case 'B':
        buy(status.Armor, 10, 7);
        break;
    case 'C':
        buy(status.Serum, 20, 5);
        break;
    case 'D':
        buy(status.Hits, 1, 1);
        break;
    case 'E':
        convertFood(status.Energy, food);
        break;
    case 'F':
        convertFood(status.Serum, food);
        break;
    case 'G':
        pray();
        break;
    case 'W':
        expandWall();
        break;
    case 'T':
        buyTime();
        break;
    case 'K':
        buyLife();
        break;
    case 'R':
        buyRope();
        break;
    case 'N':
        newGame();
        break;
    case 'Z':
        continueGame();
        break;
    case 'L':
        loadGame();
        break;
    case 'S':
        saveGame();
        break;
    case 'H':
        OpenHelpPage(game_, *this, helpAddress(game_.platform()));
        break;
    case 'X':
        game_.close(*this);
        break;
    case 'Q':
        game_.platform().exitNow();
        break;
    default:
        break;
    }
}

void Form3::buy(ui::Label& stat, double amount, double price) {
    ui::Label& gold = game_.main().Gold;
    if (ui::holds(gold.text(), [price](double g) { return g >= price; })) {
        ui::addTo(stat, amount);
        ui::addTo(gold, -price);
    }
    if (ui::holds(gold.text(), [price](double g) { return g < price; }))
        Msg.setText(QStringLiteral("You do not have enough gold!"));
}

void Form3::convertFood(ui::Label& stat, double food) {
    ui::Label& foodField = game_.main().Food;
    if (ui::holds(foodField.text(), [](double f) { return f >= 1; })) {
        ui::addTo(stat, food);
        foodField.setText(QStringLiteral("0"));
    }
    if (ui::holds(foodField.text(), [](double f) { return f < 1; }))
        Msg.setText(QStringLiteral("You do not have enough foods!"));
}

void Form3::pray() {
    ui::Platform& platform = game_.platform();
    MDIForm1& status = game_.main();
    platform.reseedFromTime();
    if (ui::holds(status.Energy.text(), [](double e) { return e <= 0; })) {
        EndGameTooManyRequests();
        return;
    }
    if (ui::draw(platform, 500) != 1) {
        Msg.setText(QStringLiteral("Nothing happens."));
        ui::addTo(status.Energy, -1);
        return;
    }
    status.setRestoredValues();
    status.ContPart.setText(QStringLiteral("5"));
    status.setRope(true);
    status.Timer1.setEnabled(true);
    Msg.setText(QStringLiteral("God had mercy."));
}

void Form3::expandWall() {
    MDIForm1& status = game_.main();
    if (ui::holds(status.Energy.text(), [](double e) { return e >= 11; }) &&
        ui::holds(status.Gold.text(), [](double g) { return g >= 10; })) {
        Form2* board = game_.board();
        if (board)
            board->Pic.setWidth(10000);
        ui::addTo(status.Energy, -10);
        ui::addTo(status.Gold, -10);
        if (board)
            board->Gate.setLeft(100);
    } else {
        status.setMessage(QStringLiteral("You do not have enough energy or gold!"));
    }
}

void Form3::buyTime() {
    MDIForm1& status = game_.main();
    if (ui::holds(status.Food.text(), [](double f) { return f >= 10; }) &&
        ui::holds(status.Gold.text(), [](double g) { return g >= 10; })) {
        ui::addTo(status.Food, -10);
        ui::addTo(status.Gold, -10);
        status.Tempo.setText(QStringLiteral("120"));
    } else {
        status.setMessage(QStringLiteral("You do not have enough food or gold!"));
    }
}

void Form3::buyLife() {
    MDIForm1& status = game_.main();
    if (ui::holds(status.Gold.text(), [](double g) { return g >= 100; })) {
        ui::addTo(status.Gold, -100);
        ui::addTo(status.ContPart, 1);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

void Form3::buyRope() {
    MDIForm1& status = game_.main();
    if (ui::holds(status.Gold.text(), [](double g) { return g >= 30; })) {
        ui::addTo(status.Gold, -30);
        status.setRope(true);
    } else {
        status.setMessage(QStringLiteral("You do not have enough gold!"));
    }
}

// A new game keeps the name but not the continues or the rope.
void Form3::newGame() {
    game_.startNewGame();
    MDIForm1& status = game_.main();
    status.ContPart.setText(QStringLiteral("5"));
    status.setRope(false);
    game_.close(*this);
}

// A continue can be spent at any time; the level, the name and the rope stay.
void Form3::continueGame() {
    MDIForm1& status = game_.main();
    if (ui::holds(status.ContPart.text(), [](double c) { return c < 1; })) {
        status.ContPart.setText(QStringLiteral("0"));
        Msg.setText(QStringLiteral("Not is possible again!"));
        return;
    }
    ui::addTo(status.ContPart, -1);
    status.setMessage(QStringLiteral("You will can to continue only ") + status.ContPart.text() +
                      QStringLiteral(" times"));
    status.setStartingValues();
    if (Form2* board = game_.board())
        savedgame::revive(*board);
    status.Timer2.setInterval(3000);
    game_.close(*this);
}

// Loads the stats and the board's geometry into the open board; the level's objects stay.
void Form3::loadGame() {
    const auto field = savedgame::open(game_.platform());
    if (!field)
        return;
    MDIForm1& status = game_.main();
    savedgame::restoreStats(status, *field);
    status.Timer1.setEnabled(true);
    if (Form2* board = game_.board()) {
        savedgame::restoreGeometry(*board, *field);
        savedgame::revive(*board);
    }
    status.Player.setText((*field)[12]);
    status.ContPart.setText((*field)[13]);
    status.setRope(savefile::rope((*field)[14]));
    game_.close(*this);
}

// Saving is refused while the game is over, so a saved game is never an ended one.
void Form3::saveGame() {
    MDIForm1& status = game_.main();
    savefile::Fields field;
    const auto stats = savedgame::stats(status);
    for (size_t i = 0; i < stats.size(); ++i)
        field[i] = stats[i]->text();
    if (const Form2* board = game_.board()) {
        field[8] = ui::numberText(board->Pic.top());
        field[9] = ui::numberText(board->Pic.left());
        field[10] = ui::numberText(board->Pic.width());
        field[11] = ui::numberText(board->Pic.height());
    }
    field[12] = status.Player.text();
    field[13] = status.ContPart.text();
    field[14] = status.hasRope() ? QStringLiteral("True") : QStringLiteral("False");
    ui::Platform& platform = game_.platform();
    const bool saved = savefile::write(savefile::path(platform), field);
    platform.messageBox(saved ? QStringLiteral("Saved!")
                              : QStringLiteral("Could not save the game."));
}
