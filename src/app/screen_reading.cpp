// What each window reads as: the status panel's fields with their values, the board's objects
// with their places from the player, and the lines of text of every other window.
#include "app/screen_reading.h"

#include "board/board_window.h"
#include "board/sightings.h"
#include "shell/hall_of_fame_window.h"
#include "shell/main_window.h"
#include "shop/shop_window.h"
#include "ui/number.h"

#include <algorithm>

namespace {

struct Field {
    ui::Label MainWindow::*label;
    const char* name;
};

// The panel's numbers in reading order, row by row.
constexpr Field kFields[] = {
    {&MainWindow::level, "Level"},         {&MainWindow::armor, "Armor"},
    {&MainWindow::hits, "Hits"},           {&MainWindow::gold, "Gold"},
    {&MainWindow::continues, "Continues"}, {&MainWindow::timeLeft, "Time"},
    {&MainWindow::serum, "Serum"},         {&MainWindow::food, "Food"},
    {&MainWindow::energy, "Energy"},
};

Reading reading(Reading::Role role, const QString& name, const ui::Control& control, int part = 0) {
    Reading read;
    read.role = role;
    read.name = name;
    read.control = &control;
    read.part = part;
    return read;
}

Reading textOf(const ui::Label& label, Reading::Role role = Reading::Role::Text) {
    return reading(role, label.text().simplified(), label);
}

// A message's every new text is told.
Reading messageOf(const ui::Label& label, Reading::Role role = Reading::Role::Text) {
    Reading message = textOf(label, role);
    message.message = true;
    return message;
}

// The hall of fame's rows and the name of the table they belong to are told afresh when the
// player switches tables: the rows of the other table are other things to read.
Reading fameLine(const HallOfFameWindow& fame, const ui::Label& label) {
    if (!fame.showsTable(label))
        return textOf(label);
    Reading line = messageOf(label);
    line.part = fame.showsToday() ? 2 : 1;
    return line;
}

// Whether a control is shown: it and every board it lies on are visible.
bool shown(const ui::Control& control) {
    for (const ui::Control* on = &control; on; on = on->parentBoard())
        if (!on->visible())
            return false;
    return true;
}

std::vector<Reading> panel(const MainWindow& main) {
    if (!main.statusPanel.visible())
        return {};
    std::vector<Reading> fields;
    for (const Field& field : kFields) {
        const ui::Label& label = main.*field.label;
        Reading reading = textOf(label, Reading::Role::Field);
        reading.name = QLatin1String(field.name) + QLatin1Char(' ') + label.text();
        reading.value = ui::readNumber(label.text());
        reading.countdown = field.label == &MainWindow::timeLeft;
        fields.push_back(std::move(reading));
    }
    if (main.hasRope())
        fields.push_back(
            reading(Reading::Role::Field, QStringLiteral("Rope"), main.ropeIndicator()));
    fields.push_back(textOf(main.playerName, Reading::Role::Field));
    fields.push_back(messageOf(main.messageLine(), Reading::Role::Field));
    return fields;
}

std::vector<Reading> texts(const ui::Window& window, const ScreenReader::LinesOf& linesOf) {
    std::vector<Reading> texts;
    const auto* shop = dynamic_cast<const ShopWindow*>(&window);
    const auto* fame = dynamic_cast<const HallOfFameWindow*>(&window);
    for (const ui::Control* control : window.controls()) {
        if (shop && control == &shop->message) {
            texts.push_back(messageOf(shop->message));
            continue;
        }
        if (!shown(*control))
            continue;
        if (control->kind() == ui::Control::Kind::Label) {
            const auto& label = static_cast<const ui::Label&>(*control);
            if (!label.text().trimmed().isEmpty())
                texts.push_back(fame ? fameLine(*fame, label) : textOf(label));
        } else if (control->kind() == ui::Control::Kind::TextBlock) {
            // Line by line, as the screen breaks it.
            const auto& block = static_cast<const ui::TextBlock&>(*control);
            int part = 0;
            for (const QString& line : linesOf(block)) {
                ++part;
                if (!line.trimmed().isEmpty())
                    texts.push_back(reading(Reading::Role::Text, line.trimmed(), block, part));
            }
        }
    }
    return texts;
}

// What changed from one reading to the next: a message's new text, a field's value. The board's
// items, which hold neither, bring their news through the board's own reading.
void addChanges(const std::vector<Reading>& before, const std::vector<Reading>& after,
                Announcement& news) {
    std::vector<const Reading*> made;
    for (const Reading& now : after) {
        const auto was =
            std::ranges::find_if(before, [&](const Reading& old) { return old.sameThing(now); });
        if (was == before.end()) {
            made.push_back(&now);
            continue;
        }
        if (now.message && now.name != was->name)
            news.add(now.name);
        if (now.value)
            news.valueChanged(now.name, was->value, *now.value, now.countdown);
    }
    for (const Reading* now : made)
        if (now->message)
            news.add(now->name);
}

} // namespace

bool ScreenReader::isPanel(const ui::Window& window) {
    return dynamic_cast<const MainWindow*>(&window) != nullptr;
}

QString ScreenReader::nameOf(const ui::Window& window) {
    return isPanel(window) ? QStringLiteral("Status") : window.caption();
}

const std::vector<Reading>& ScreenReader::read(const ui::Window* window, const LinesOf& linesOf,
                                               Announcement* news) {
    std::vector<Reading> now;
    if (auto* main = dynamic_cast<const MainWindow*>(window))
        now = panel(*main);
    else if (auto* boardWindow = dynamic_cast<const BoardWindow*>(window))
        now = board(*boardWindow, news);
    else if (window)
        now = texts(*window, linesOf);
    if (news)
        addChanges(last_, now, *news);
    last_ = std::move(now);
    return last_;
}

void ScreenReader::addLines(Announcement& news) {
    if (std::exchange(heard_, true))
        return;
    for (const Reading& reading : last_)
        if (reading.role == Reading::Role::Text)
            news.add(reading.name);
}

std::vector<Reading> ScreenReader::board(const BoardWindow& boardWindow, Announcement* news) {
    const bool onPath = boardWindow.onPath.isSet();
    Reading list =
        reading(Reading::Role::List, onPath ? QStringLiteral("Path") : QStringLiteral("Board"),
                boardWindow.board);
    list.wholeWindow = onPath;
    // Edges first: the next step may be a fall.
    QStringList told;
    const QStringList edges = edgesNear(boardWindow);
    for (qsizetype i = 0; i < edges.size(); ++i)
        list.children.push_back(reading(Reading::Role::ListItem, edges[i], boardWindow.playerNow(),
                                        static_cast<int>(i) + 1));
    if (edges != edges_)
        told << edges;
    edges_ = edges;
    std::map<const ui::Control*, QString> seen;
    for (const Sighting& sighting : sightings(boardWindow)) {
        list.children.push_back(reading(Reading::Role::ListItem, sighting.text, *sighting.object));
        const auto before = seen_.find(sighting.object);
        const bool came = before == seen_.end();
        if (sighting.news ? came : sighting.near && (came || before->second != sighting.text))
            told << sighting.text;
        seen.emplace(sighting.object, sighting.text);
    }
    seen_ = std::move(seen);
    if (std::exchange(primed_, true) && news)
        news->add(told);
    return {std::move(list)};
}
