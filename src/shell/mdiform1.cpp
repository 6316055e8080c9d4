#include "shell/mdiform1.h"

#include "shell/game.h"

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

MDIForm1::MDIForm1(Game& game)
    : ui::Window(QStringLiteral("Vexmoor"), 11760, 8565, 0x000000, false),
      Picture1(0x404040, {0, 0, 11760, kPanelHeight}), Line1(8760, 0, 8760, 720, 0x000000),
      Line2(6000, 0, 6000, 720, 0x000000), PicBack(QStringLiteral("1")),
      Timer1(game.clock(), *this, 1000, [this] { Timer1_Timer(); }),
      Timer2(game.clock(), *this, 3000, [this] { Timer2_Timer(); }), game_(game) {
    // The outer size: the client area plus the frame and the caption and menu bars.
    setWidth(11760 + 120);
    setHeight(8565 + 510);

    panelCaption(Et[0], QStringLiteral("LV:"), 0xFFFFFF, 120, 120);
    panelCaption(Et[2], QStringLiteral("AM:"), 0xC0FFFF, 1560, 120);
    panelCaption(Et[4], QStringLiteral("HT:"), 0xFFC0C0, 2760, 120);
    panelCaption(Et[3], QStringLiteral("GD:"), 0x00FFFF, 4200, 120);
    panelCaption(Et[8], QStringLiteral("TM:"), 0xFFC0FF, 120, 360);
    panelCaption(Et[7], QStringLiteral("SR:"), 0x80C0FF, 1560, 360);
    panelCaption(Et[5], QStringLiteral("FD:"), 0xFFFFC0, 2760, 360);
    panelCaption(Et[1], QStringLiteral("EN:"), 0xC0E0FF, 4200, 360);
    panelCaption(Et[kRope], QStringLiteral("R"), 0x0080FF, 5760, 360, 195);
    Et[kRope].setHeight(240);
    Et[kRope].setVisible(false);
    Et[kMessageLine].setLook(panelLook(0xC0E0FF, ui::Align::Left));
    Et[kMessageLine].setRect({8880, 0, 4395, 720});

    value(Liv, QStringLiteral("1"), 0xC0FFFF, 600, 120, 1560);
    value(Armor, QStringLiteral("10"), 0xC0FFFF, 2040, 120, 2760);
    value(Hits, QStringLiteral("20"), 0xFFC0C0, 3240, 120, 4200);
    value(Gold, QStringLiteral("10"), 0x00FFFF, 4680, 120, 5760);
    value(ContPart, QStringLiteral("5"), 0xFF8080, 5760, 120, 6000); // up to the divider
    value(Tempo, QStringLiteral("120"), 0xFFC0FF, 600, 360, 1560);
    value(Serum, QStringLiteral("20"), 0x80C0FF, 2040, 360, 2760);
    value(Food, QStringLiteral("20"), 0xFFFFC0, 3240, 360, 4200);
    value(Energy, QStringLiteral("100"), 0xC0E0FF, 4680, 360, 5760);
    value(Player, QStringLiteral("Player"), 0xFF8080, 6120, 240, 8655, ui::Align::Center);

    add(Picture1);
    for (ui::Label* label :
         {&Et[0],    &Liv,       &Et[2],  &Armor,           &Et[4], &Hits,  &Et[3], &Gold,
          &ContPart, &Et[8],     &Tempo,  &Et[7],           &Serum, &Et[5], &Food,  &Et[1],
          &Energy,   &Et[kRope], &Player, &Et[kMessageLine]})
        Picture1.add(*label);
    Picture1.add(Line2);
    Picture1.add(Line1);
    Picture1.add(PicBack);
    PicBack.setRect({7440, 0, 855, 285});
    for (ui::Label& label : Et)
        label.onClick = [this] { Et_Click(); };
    Picture1.setVisible(false);
}

void MDIForm1::Form_Load() {
    game_.openMenu();
}

void MDIForm1::setStartingValues() {
    Energy.setText(QStringLiteral("100"));
    Food.setText(QStringLiteral("20"));
    Serum.setText(QStringLiteral("20"));
    Hits.setText(QStringLiteral("20"));
    Armor.setText(QStringLiteral("10"));
    Gold.setText(QStringLiteral("10"));
    Tempo.setText(QStringLiteral("120"));
}

void MDIForm1::setRestoredValues() {
    for (ui::Label* field : {&Energy, &Food, &Serum, &Hits, &Armor, &Gold})
        field->setText(QStringLiteral("100"));
    Tempo.setText(QStringLiteral("900"));
}
