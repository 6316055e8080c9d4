#include "shell/hall_of_fame_window.h"

#include "shell/game.h"
#include "ui/keys.h"

#include <algorithm>

namespace {

constexpr ui::Colour kGreen = 0x008000;
constexpr double kMargin = 120;
constexpr double kWidth = 8400;
constexpr double kCharWidth = 110; // a letter of the 9 point font, with room to spare
constexpr double kRowHeight = 240;
constexpr double kTabsTop = 480;
constexpr double kFirstRow = 960;
constexpr int kNameWidth = 16;

const QString kAllTime = QStringLiteral(" All time ");
const QString kToday = QStringLiteral(" Today ");
// Far enough from "All time" that the two stay on one row in a terminal of 80 columns.
constexpr double kTodayColumn = 14;

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
    return QStringLiteral("%1. %2 %3  %4 %5 %6 %7")
        .arg(rank, 2)
        .arg(nameColumn(entry.name))
        .arg(entry.level, 5)
        .arg(endingText(entry.ending), -20)
        .arg(entry.date, -10)
        .arg(entry.cheated ? QStringLiteral("*") : QString(), -5)
        .arg(entry.seed ? QString::number(*entry.seed) : QString());
}

ui::Rect tabRect(double column, const QString& name) {
    return {kMargin + column * kCharWidth, kTabsTop, static_cast<double>(name.size()) * kCharWidth,
            kRowHeight};
}

} // namespace

HallOfFameWindow::HallOfFameWindow(Game& game)
    : ui::Window(QStringLiteral("Hall of Fame"), kWidth + 2 * kMargin, 4500, 0x000000),
      title(QStringLiteral("Hall of Fame"), fameLook(14), {kMargin, 120, kWidth, 375}),
      allTimeTab(kAllTime, fameLook(9, true), tabRect(0, kAllTime)),
      todayTab(kToday, fameLook(9), tabRect(kTodayColumn, kToday)),
      header(
          QStringLiteral("    Name             Level  How it ended         Date       Cheat Seed"),
          fameLook(9), {kMargin, 720, kWidth, kRowHeight}),
      notice(QString(), fameLook(9), {kMargin, 3480, kWidth, 2 * kRowHeight}),
      hint(QStringLiteral("Esc or F - Back to the menu   Left/Right - All time/Today"), fameLook(9),
           {kMargin, 4080, kWidth, kRowHeight}),
      game_(game) {
    add(title);
    add(allTimeTab);
    add(todayTab);
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

bool HallOfFameWindow::showsTable(const ui::Label& label) const {
    return &label == (showsToday() ? &todayTab : &allTimeTab) ||
           std::ranges::any_of(rows, [&label](const ui::Label& row) { return &row == &label; });
}

void HallOfFameWindow::onLoad() {
    game_.placeInMiddle(*this);
    show(false);
    HallOfFame& table = game_.hallOfFame();
    notice.setText(table.readable() ? table.takeNotice()
                                    : QStringLiteral("The hall of fame cannot be read."));
}

void HallOfFameWindow::show(bool today) {
    HallOfFame& table = game_.hallOfFame();
    const std::vector<FameEntry> games =
        today ? table.today(game_.platform().challengeDay()) : table.best();
    const std::optional<int> latest = table.latest();
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool filled = i < games.size();
        rows[i].setText(filled ? rowText(static_cast<int>(i) + 1, games[i]) : QString());
        rows[i].setLook(fameLook(9, filled && latest == games[i].serial));
    }
    if (games.empty() && table.readable())
        rows[0].setText(today ? QStringLiteral("No games of today's challenge yet.")
                              : QStringLiteral("No games yet."));
    allTimeTab.setLook(fameLook(9, !today));
    todayTab.setLook(fameLook(9, today));
}

void HallOfFameWindow::onKeyDown(int keyCode) {
    if (keyCode == keys::Escape || keyCode == 'F')
        game_.close(*this);
    else if (keyCode == keys::Left || keyCode == 'A')
        show(false);
    else if (keyCode == keys::Right || keyCode == 'T')
        show(true);
}
