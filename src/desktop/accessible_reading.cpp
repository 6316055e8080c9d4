// What each window reads as: the status panel's fields with their values, the board's objects
// with their places from the player, and the lines of text of every other window.
#include "desktop/accessible_reading.h"

#include "board/board_window.h"
#include "board/sightings.h"
#include "desktop/window_view.h"
#include "shell/main_window.h"
#include "shop/shop_window.h"
#include "ui/number.h"

#include <QFontMetricsF>

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

QRectF placeOf(const WindowView& view, const ui::Control& control) {
    return view.placeOf(control).value_or(QRectF());
}

Reading reading(const void* thing, int part, QAccessible::Role role, const QString& name,
                const QRectF& rect) {
    Reading read;
    read.key = {thing, part};
    read.role = role;
    read.name = name;
    read.rect = rect;
    return read;
}

Reading textOf(const WindowView& view, const ui::Label& label) {
    return reading(&label, 0, QAccessible::StaticText, label.text().simplified(),
                   placeOf(view, label));
}

// A message's every new text is told.
Reading messageOf(const WindowView& view, const ui::Label& label) {
    Reading message = textOf(view, label);
    message.message = true;
    return message;
}

std::vector<Reading> panel(const WindowView& view, MainWindow& main) {
    if (!main.statusPanel.visible())
        return {};
    std::vector<Reading> fields;
    for (const Field& field : kFields) {
        const ui::Label& label = main.*field.label;
        Reading reading = textOf(view, label);
        reading.name = QLatin1String(field.name) + QLatin1Char(' ') + label.text();
        reading.value = ui::readNumber(label.text());
        reading.countdown = field.label == &MainWindow::timeLeft;
        fields.push_back(std::move(reading));
    }
    if (main.hasRope()) {
        fields.push_back(textOf(view, main.ropeIndicator()));
        fields.back().name = QStringLiteral("Rope");
    }
    fields.push_back(textOf(view, main.playerName));
    fields.push_back(messageOf(view, main.messageLine()));
    return fields;
}

} // namespace

std::vector<Reading> WindowReader::read(const WindowView& view, Announcement* news) {
    ui::Window* window = view.sceneWindow();
    if (!window)
        return {};
    if (auto* main = dynamic_cast<MainWindow*>(window))
        return panel(view, *main);
    if (auto* boardWindow = dynamic_cast<BoardWindow*>(window))
        return board(view, *boardWindow, news);
    return texts(view, *window);
}

std::vector<Reading> WindowReader::board(const WindowView& view, const BoardWindow& boardWindow,
                                         Announcement* news) {
    const bool onPath = boardWindow.onPath.isSet();
    const ui::Label& player = onPath ? boardWindow.pathPlayer : boardWindow.player;
    Reading list = reading(&boardWindow.board, 0, QAccessible::List,
                           onPath ? QStringLiteral("Path") : QStringLiteral("Board"),
                           onPath ? QRectF(view.rect()) : placeOf(view, boardWindow.board));
    // Edges first: the next step may be a fall.
    QStringList told;
    const QStringList edges = edgesNear(boardWindow);
    for (qsizetype i = 0; i < edges.size(); ++i)
        list.children.push_back(reading(&boardWindow.board, static_cast<int>(i) + 1,
                                        QAccessible::ListItem, edges[i], placeOf(view, player)));
    if (edges != edges_)
        told << edges;
    edges_ = edges;
    std::map<const void*, QString> seen;
    for (const Sighting& sighting : sightings(boardWindow)) {
        list.children.push_back(reading(sighting.object, 0, QAccessible::ListItem, sighting.text,
                                        placeOf(view, *sighting.object)));
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

std::vector<Reading> WindowReader::texts(const WindowView& view, const ui::Window& window) {
    std::vector<Reading> texts;
    const auto* shop = dynamic_cast<const ShopWindow*>(&window);
    for (const ui::Control* control : window.controls()) {
        if (shop && control == &shop->message) {
            texts.push_back(messageOf(view, shop->message));
            continue;
        }
        if (!view.placeOf(*control))
            continue;
        if (control->kind() == ui::Control::Kind::Label) {
            const auto& label = static_cast<const ui::Label&>(*control);
            if (!label.text().trimmed().isEmpty())
                texts.push_back(textOf(view, label));
        } else if (control->kind() == ui::Control::Kind::TextBlock) {
            // Line by line, as drawn.
            const auto& block = static_cast<const ui::TextBlock&>(*control);
            const QFontMetricsF metrics(WindowView::fontOf(block.look().font));
            int index = 0;
            for (const TextLine& line : view.linesOf(block)) {
                ++index;
                if (line.text.trimmed().isEmpty())
                    continue;
                const QRectF rect(line.origin.x(), line.origin.y() - metrics.ascent(),
                                  metrics.horizontalAdvance(line.text) * line.squeeze,
                                  metrics.height());
                texts.push_back(
                    reading(&block, index, QAccessible::StaticText, line.text.trimmed(), rect));
            }
        }
    }
    return texts;
}
