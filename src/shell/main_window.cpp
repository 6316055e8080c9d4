#include "shell/main_window.h"

#include "shell/game.h"
#include "ui/stat.h"

namespace {

ui::LabelLook panelLook(ui::Colour colour, ui::Align align) {
    ui::LabelLook look;
    look.foreColour = colour;
    look.font = {QStringLiteral("Lucida Console"), 12, 700};
    look.align = align;
    return look;
}

// A caption of the panel: centred; a click on any of them opens the cheat prompt.
void panelCaption(ui::Label& label, const QString& text, ui::Colour colour, double left, double top,
                  double width = 495) {
    label.setText(text);
    label.setLook(panelLook(colour, ui::Align::Center));
    label.setRect({left, top, width, 255});
}

// A value of the panel, reaching right to the next caption so that a long number shows whole.
void value(ui::Label& label, const QString& text, ui::Colour colour, double left, double top,
           double right, ui::Align align = ui::Align::Left) {
    label.setText(text);
    label.setLook(panelLook(colour, align));
    label.setRect({left, top, right - left, 240});
}

} // namespace

MainWindow::MainWindow(Game& game)
    : ui::Window(QStringLiteral("Vexmoor"), 11760, 8565, 0x000000, false),
      statusPanel(0x404040, {0, 0, 11760, kPanelHeight}),
      messageDivider(8760, 0, 8760, 720, 0x000000), statsDivider(6000, 0, 6000, 720, 0x000000),
      boardColour(QStringLiteral("1")),
      countdown(game.clock(), *this, 1000, [this] { countdownTick(); }),
      statusTimer(game.clock(), *this, 3000, [this] { statusTick(); }), game_(game) {
    // The outer size: the client area plus the frame and the caption and menu bars.
    setWidth(11760 + 120);
    setHeight(8565 + 510);

    panelCaption(captions[0], QStringLiteral("LV:"), 0xFFFFFF, 120, 120);
    panelCaption(captions[2], QStringLiteral("AM:"), 0xC0FFFF, 1560, 120);
    panelCaption(captions[4], QStringLiteral("HT:"), 0xFFC0C0, 2760, 120);
    panelCaption(captions[3], QStringLiteral("GD:"), 0x00FFFF, 4200, 120);
    panelCaption(captions[8], QStringLiteral("TM:"), 0xFFC0FF, 120, 360);
    panelCaption(captions[7], QStringLiteral("SR:"), 0x80C0FF, 1560, 360);
    panelCaption(captions[5], QStringLiteral("FD:"), 0xFFFFC0, 2760, 360);
    panelCaption(captions[1], QStringLiteral("EN:"), 0xC0E0FF, 4200, 360);
    panelCaption(ropeIndicator(), QStringLiteral("R"), 0x0080FF, 5760, 360, 195);
    ropeIndicator().setHeight(240);
    ropeIndicator().setVisible(false);
    messageLine().setLook(panelLook(0xC0E0FF, ui::Align::Left));
    messageLine().setRect({8880, 0, 4395, 720});

    value(level, QStringLiteral("1"), 0xC0FFFF, 600, 120, 1560);
    value(armor, QStringLiteral("10"), 0xC0FFFF, 2040, 120, 2760);
    value(hits, QStringLiteral("20"), 0xFFC0C0, 3240, 120, 4200);
    value(gold, QStringLiteral("10"), 0x00FFFF, 4680, 120, 5760);
    value(continues, QStringLiteral("5"), 0xFF8080, 5760, 120, 6000); // up to the divider
    value(timeLeft, QStringLiteral("120"), 0xFFC0FF, 600, 360, 1560);
    value(serum, QStringLiteral("20"), 0x80C0FF, 2040, 360, 2760);
    value(food, QStringLiteral("20"), 0xFFFFC0, 3240, 360, 4200);
    value(energy, QStringLiteral("100"), 0xC0E0FF, 4680, 360, 5760);
    value(playerName, QStringLiteral("Player"), 0xFF8080, 6120, 240, 8655, ui::Align::Center);

    add(statusPanel);
    for (ui::Label* label :
         {&captions[0], &level,        &captions[2], &armor,       &captions[4], &hits,
          &captions[3], &gold,         &continues,   &captions[8], &timeLeft,    &captions[7],
          &serum,       &captions[5],  &food,        &captions[1], &energy,      &ropeIndicator(),
          &playerName,  &messageLine()})
        statusPanel.add(*label);
    statusPanel.add(statsDivider);
    statusPanel.add(messageDivider);
    statusPanel.add(boardColour);
    boardColour.setRect({7440, 0, 855, 285});
    for (ui::Label& label : captions)
        label.onClick = [this] { openCheatPrompt(); };
    statusPanel.setVisible(false);
}

void MainWindow::onLoad() {
    game_.openMenu();
}

void MainWindow::setStartingValues() {
    ui::Stat(energy).set(100);
    ui::Stat(food).set(20);
    ui::Stat(serum).set(20);
    ui::Stat(hits).set(20);
    ui::Stat(armor).set(10);
    ui::Stat(gold).set(10);
    ui::Stat(timeLeft).set(120);
}

void MainWindow::setRestoredValues() {
    for (ui::Label* field : {&energy, &food, &serum, &hits, &armor, &gold})
        ui::Stat(*field).set(100);
    ui::Stat(timeLeft).set(900);
}
