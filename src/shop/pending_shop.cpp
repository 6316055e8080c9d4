// Placeholders until the shop and the save file land.
#include "shell/game.h"
#include "shop/form3.h"
#include "shop/savefile.h"

Form3::Form3(Game& game)
    : ui::Window(QStringLiteral("Shop"), 6330, 6825, 0), Text1({}, {}, {}), Line1(0, 0, 0, 0, 0),
      Timer1(game.clock(), *this, 1, [] {}), game_(game) {}
void Form3::Form_Load() {}
void Form3::Form_KeyDown(int) {}
void Form3::Form_KeyPress(int) {}
void Form3::EndGameTooManyRequests() {}
void Form3::Form_Unload() {}
void Form3::Timer1_Timer() {}

namespace savefile {
QString path(const ui::Platform&) {
    return {};
}
ReadResult read(const QString&) {
    return {};
}
ReadResult parse(const QByteArray&) {
    return {};
}
bool write(const QString&, const Fields&) {
    return false;
}
std::optional<double> coordinate(const QString&) {
    return {};
}
bool rope(const QString&) {
    return false;
}
} // namespace savefile
