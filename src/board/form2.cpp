// The board window's design, its creation step, the one-shot start-up and its close.
#include "board/form2.h"

#include "shell/game.h"
#include "ui/number.h"

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

Form2::Form2(Game& game)
    : ui::Window(QStringLiteral("Game"), 10020, 8460, 0x000000),
      Pic(0x404040, {3240, 3360, 3615, 1815}),
      Mio(QStringLiteral("X"), playerLook(0xFFFFFF), at(1680, 780)),
      Gate(QStringLiteral("E"), objectLook(0x008000), at(120, 120)),
      PSecret(QStringLiteral("P"), objectLook(0x0080FF), at(480, 120)),
      Coins(QStringLiteral("G"), objectLook(0x00FFFF), at(840, 120)),
      Hit(QStringLiteral("H"), objectLook(0xFF8080, QString()), at(1200, 120)),
      Food(QStringLiteral("F"), objectLook(0xFFFFC0), at(1560, 120)),
      Serum(QStringLiteral("S"), objectLook(0xFF00FF), at(1920, 120)),
      Trap(QStringLiteral("5"), boxLook(0xC0C0FF, 0x000000), at(2280, 120)),
      Monster(QStringLiteral("1"), boxLook(0xE0E0E0, 0x808080), at(120, 1320)),
      Spider(QStringLiteral("1"), boxLook(0x000080, 0x8080FF), at(480, 1320)),
      Bat(QStringLiteral("1"), boxLook(0x808080, 0x400000), at(840, 1320)),
      Mio2(QStringLiteral("X"), playerLook(0xFF0000), at(120, 120), false),
      Tempy(QStringLiteral("T"), objectLook(0x000080), at(480, 120), false),
      Goldy(QStringLiteral("G"), objectLook(0x00FFFF), at(840, 120), false),
      Foody(QStringLiteral("F"), objectLook(0xFFFFC0), at(1200, 120), false),
      Foro(squareLook(0x404040, true), at(1560, 120), false),
      Track(squareLook(0xC0C0C0, false), at(1920, 120), false), NuovoL(QStringLiteral("0")),
      MioCorX(QStringLiteral("0")), MioCorY(QStringLiteral("0")), TrackM(QStringLiteral("0")),
      MonDir(QStringLiteral("0")),
      InitScreen(game.clock(), *this, 10, [this] { InitScreen_Timer(); }),
      Wall(game.clock(), *this, 100, [this] { Wall_Timer(); }),
      Wall2(game.clock(), *this, 100, [this] { Wall2_Timer(); }),
      Trappola(game.clock(), *this, 1000, [this] { Trappola_Timer(); }), game_(game) {
    // Drawn bottom first: the trail, the holes and the path pick-ups lie under the board.
    add(Track[0]);
    add(Foro[0]);
    for (ui::Label* label : {&Foody, &Goldy, &Tempy, &Mio2})
        add(*label);
    add(Pic);
    for (ui::Label* object :
         {&Gate, &PSecret, &Coins, &Hit, &Food, &Serum, &Trap, &Monster, &Spider, &Bat, &Mio})
        Pic.add(*object);
    for (ui::HiddenField* field : {&NuovoL, &MioCorX, &MioCorY, &TrackM, &MyLoad, &InCammino,
                                   &Camin, &WalMove, &WalMove2, &MonDir, &GameOver, &G})
        add(*field);
    connectLegend();
}

void Form2::Form_Load() {
    MDIForm1& status = game_.main();
    if (status.Player.text() == QLatin1String("Player")) {
        const QString name = game_.platform().inputBox(QStringLiteral("What is your name?"),
                                                       status.caption(), QStringLiteral("Player"));
        status.Player.setText(name.isEmpty() ? QStringLiteral("Player") : name);
    }
    InitScreen.setEnabled(true);
    status.Timer1.setEnabled(true);
}

void Form2::InitScreen_Timer() {
    InitScreen.setEnabled(false);
    MDIForm1& status = game_.main();
    if (!MyLoad.isSet()) {
        // A new game fills the main window above the status panel.
        setTop(1);
        setLeft(1);
        setWidth(status.width() - 120);
        setHeight(status.height() - MDIForm1::kPanelHeight - 510);
    }
    status.Picture1.setVisible(true);
    if (status.PicBack.text().isEmpty())
        Pic.setBackColour(4210752);
    if (const auto colour = ui::readNumber(status.PicBack.text()))
        Pic.setBackColour(static_cast<ui::Colour>(*colour));
    BuildLevel();
}

void Form2::Form_Unload() {
    game_.main().Picture1.setVisible(false);
}
