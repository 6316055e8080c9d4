#include "shell/hall_of_fame_window.h"

#include "shell/game.h"
#include "ui/keys.h"

namespace {

constexpr ui::Colour kGreen = 0x008000;
constexpr double kMargin = 120;
constexpr double kWidth = 8160;
constexpr double kRowHeight = 240;
constexpr double kFirstRow = 960;
constexpr int kNameWidth = 16;

ui::LabelLook fameLook(double points, bool highlighted = false) {
    ui::LabelLook look;
    look.foreColour = highlighted ? 0x000000 : kGreen;
    look.opaque = highlighted;
    look.backColour = kGreen;
    look.font = {QStringLiteral("Lucida Console"), points, 700};
    return look;
}

// The name in its column: cut with an ellipsis when longer.
QString nameColumn(const QString& name) {
    if (name.size() <= kNameWidth)
        return name.leftJustified(kNameWidth);
    return name.left(kNameWidth - 1) + QChar(0x2026);
}

QString rowText(int rank, const FameEntry& entry) {
    return QStringLiteral("%1. %2 %3  %4 %5 %6")
        .arg(rank, 2)
        .arg(nameColumn(entry.name))
        .arg(entry.level, 5)
        .arg(endingText(entry.ending), -20)
        .arg(entry.date, -10)
        .arg(entry.cheated ? QStringLiteral("*") : QString());
}

} // namespace

HallOfFameWindow::HallOfFameWindow(Game& game)
    : ui::Window(QStringLiteral("Hall of Fame"), kWidth + 2 * kMargin, 4500, 0x000000),
      title(QStringLiteral("Hall of Fame"), fameLook(14), {kMargin, 120, kWidth, 375}),
      header(QStringLiteral("    Name             Level  How it ended         Date       Cheat"),
             fameLook(9), {kMargin, 720, kWidth, kRowHeight}),
      notice(QString(), fameLook(9), {kMargin, 3480, kWidth, 2 * kRowHeight}),
      hint(QStringLiteral("Esc or F - Back to the menu"), fameLook(9),
           {kMargin, 4080, kWidth, kRowHeight}),
      game_(game) {
    add(title);
    add(header);
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].setLook(fameLook(9));
        rows[i].setRect(
            {kMargin, kFirstRow + kRowHeight * static_cast<double>(i), kWidth, kRowHeight});
        add(rows[i]);
    }
    add(notice);
    add(hint);
}

void HallOfFameWindow::onLoad() {
    game_.placeInMiddle(*this);
    HallOfFame& table = game_.hallOfFame();
    const std::vector<FameEntry> best = table.best();
    const std::optional<int> latest = table.latest();
    for (size_t i = 0; i < best.size(); ++i) {
        rows[i].setText(rowText(static_cast<int>(i) + 1, best[i]));
        rows[i].setLook(fameLook(9, latest == best[i].serial));
    }
    if (best.empty() && table.readable())
        rows[0].setText(QStringLiteral("No games yet."));
    notice.setText(table.readable() ? table.takeNotice()
                                    : QStringLiteral("The hall of fame cannot be read."));
}

void HallOfFameWindow::onKeyDown(int keyCode) {
    if (keyCode == keys::Escape || keyCode == 'F')
        game_.close(*this);
}
