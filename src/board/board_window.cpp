// The board window: its objects as it opens, the name asked once, the one-shot start-up and its
// close.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/stat.h"

namespace {

constexpr double kObjectSize = 255;
const QString kNextLevel = QStringLiteral("Next Level");

ui::LabelLook playerLook(ui::Colour colour) {
    ui::LabelLook look;
    look.foreColour = colour;
    look.font = {QStringLiteral("Lucida Console"), 15.75, 700};
    look.align = ui::Align::Center;
    look.handCursor = true;
    return look;
}

// The gate, the pick-ups and the monsters: one letter in Lucida Sans Typewriter.
ui::LabelLook objectLook(ui::Colour colour, const QString& tooltip = kNextLevel) {
    ui::LabelLook look;
    look.foreColour = colour;
    look.font = {QStringLiteral("Lucida Sans Typewriter"), 12, 600};
    look.align = ui::Align::Center;
    look.tooltip = tooltip;
    look.handCursor = true;
    return look;
}

ui::LabelLook boxLook(ui::Colour colour, ui::Colour back) {
    ui::LabelLook look = objectLook(colour);
    look.opaque = true;
    look.backColour = back;
    return look;
}

ui::LabelLook squareLook(ui::Colour back, bool hand) {
    ui::LabelLook look;
    look.opaque = true;
    look.backColour = back;
    look.handCursor = hand;
    return look;
}

ui::Rect at(double left, double top) {
    return {left, top, kObjectSize, kObjectSize};
}

} // namespace

BoardWindow::BoardWindow(Game& game)
    : ui::Window(QStringLiteral("Game"), 10020, 8460, 0x000000),
      board(0x404040, {3240, 3360, 3615, 1815}),
      player(QStringLiteral("X"), playerLook(0xFFFFFF), at(1680, 780)),
      gate(QStringLiteral("E"), objectLook(0x008000), at(120, 120)),
      secretPassage(QStringLiteral("P"), objectLook(0x0080FF), at(480, 120)),
      goldPickup(QStringLiteral("G"), objectLook(0x00FFFF), at(840, 120)),
      hitsPickup(QStringLiteral("H"), objectLook(0xFF8080, QString()), at(1200, 120)),
      foodPickup(QStringLiteral("F"), objectLook(0xFFFFC0), at(1560, 120)),
      serumPickup(QStringLiteral("S"), objectLook(0xFF00FF), at(1920, 120)),
      quicksand(QStringLiteral("5"), boxLook(0xC0C0FF, 0x000000), at(2280, 120)),
      demon(QStringLiteral("1"), boxLook(0xE0E0E0, 0x808080), at(120, 1320)),
      spider(QStringLiteral("1"), boxLook(0x000080, 0x8080FF), at(480, 1320)),
      bat(QStringLiteral("1"), boxLook(0x808080, 0x400000), at(840, 1320)),
      pathPlayer(QStringLiteral("X"), playerLook(0xFF0000), at(120, 120), false),
      pathTime(QStringLiteral("T"), objectLook(0x000080), at(480, 120), false),
      pathGold(QStringLiteral("G"), objectLook(0x00FFFF), at(840, 120), false),
      pathFood(QStringLiteral("F"), objectLook(0xFFFFC0), at(1200, 120), false),
      holes(squareLook(0x404040, true), at(1560, 120), false),
      trail(squareLook(0xC0C0C0, false), at(1920, 120), false), pathSections(QStringLiteral("0")),
      pathPlayerPreviousTop(QStringLiteral("0")), pathPlayerPreviousLeft(QStringLiteral("0")),
      trailMarks(QStringLiteral("0")), driftDirection(QStringLiteral("0")),
      startUp(game.clock(), *this, 10, [this] { startUpTick(); }),
      closingWall(game.clock(), *this, 100, [this] { closingWallTick(); }),
      drift(game.clock(), *this, 100, [this] { driftTick(); }),
      quicksandTimer(game.clock(), *this, 1000, [this] { quicksandTick(); }), game_(game) {
    // Drawn bottom first: the trail, the holes and the path pick-ups lie under the board.
    add(trail[0]);
    add(holes[0]);
    for (ui::Label* label : {&pathFood, &pathGold, &pathTime, &pathPlayer})
        add(*label);
    add(board);
    for (ui::Label* object : {&gate, &secretPassage, &goldPickup, &hitsPickup, &foodPickup,
                              &serumPickup, &quicksand, &demon, &spider, &bat, &player})
        board.add(*object);
    for (ui::HiddenField* field :
         {&pathSections, &pathPlayerPreviousTop, &pathPlayerPreviousLeft, &trailMarks, &loadPending,
          &boardFromPath, &onPath, &closingWallOn, &driftOn, &driftDirection, &gameOver,
          &stuckInQuicksand})
        add(*field);
    connectLegend();
}

void BoardWindow::onLoad() {
    MainWindow& status = game_.mainWindow();
    if (status.playerName.text() == QLatin1String("Player")) {
        const QString name = game_.platform().inputBox(QStringLiteral("What is your name?"),
                                                       status.caption(), QStringLiteral("Player"));
        status.playerName.setText(name.isEmpty() ? QStringLiteral("Player") : name);
    }
    startUp.setEnabled(true);
    status.countdown.setEnabled(true);
}

void BoardWindow::startUpTick() {
    startUp.setEnabled(false);
    MainWindow& status = game_.mainWindow();
    if (!loadPending.isSet()) {
        // A new game fills the main window above the status panel.
        setTop(1);
        setLeft(1);
        setWidth(status.width() - 120);
        setHeight(status.height() - MainWindow::kPanelHeight - 510);
    }
    status.statusPanel.setVisible(true);
    if (status.boardColour.text().isEmpty())
        board.setBackColour(4210752);
    if (const auto colour = ui::Counter(status.boardColour).value())
        board.setBackColour(static_cast<ui::Colour>(*colour));
    buildLevel();
}

void BoardWindow::onUnload() {
    game_.mainWindow().statusPanel.setVisible(false);
}
