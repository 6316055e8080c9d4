#include "terminal/window_layout.h"

#include "terminal/text_lines.h"
#include "ui/control.h"
#include "ui/window.h"

#include <algorithm>

namespace {

// A board's object is a square of 255 twips: a label no larger is a glyph or a square, not a text.
constexpr double kObjectSize = 255;

// Texts and the dividers across between them flow down the client; objects, upright lines and
// everything on a board stay where they map.
bool flows(const ui::Control& control) {
    if (control.parentBoard())
        return false;
    switch (control.kind()) {
    case ui::Control::Kind::Label:
        return control.width() > kObjectSize || control.height() > kObjectSize;
    case ui::Control::Kind::TextBlock:
        return true;
    case ui::Control::Kind::Line:
        return control.height() == 0;
    default:
        return false;
    }
}

// A label of one row from the left runs on to the window's edge, so that a long number or a row
// of columns shows whole.
bool runsOn(const ui::Control& control, const Cells& mapped, ui::Align align) {
    return align == ui::Align::Left && mapped.rows == 1 &&
           control.kind() == ui::Control::Kind::Label;
}

QStringList linesOf(const QString& text) {
    QStringList lines = textLines(text);
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

Placement placeText(ui::Control& control, const ui::Rect& area, const QString& text,
                    ui::Align align, const CellMap& map, int columns, Fit fit) {
    const Cells mapped = map.cellsOf(area);
    const bool centred = align == ui::Align::Center;
    const int left = centred ? std::max(0, mapped.column) : mapped.column;
    const int right = runsOn(control, mapped, align) ? columns : std::min(columns, mapped.right());
    QStringList lines = wrapped(linesOf(text), right - left);
    if (fit != Fit::AsDesigned)
        lines.removeAll(QString());
    Placement placement{&control, mapped, lines, {}};
    if (lines.isEmpty()) {
        // An empty text keeps a row, so its window does not change size as it fills.
        if (flows(control))
            placement.box.rows = 1;
        return placement;
    }
    int first = right, last = left;
    for (const QString& line : lines) {
        const int length = displayWidth(line);
        const int column =
            centred ? std::max(left, std::min(map.centredColumn(area, length), right - length))
                    : mapped.column;
        placement.columns.push_back(column);
        first = std::min(first, column);
        last = std::max(last, column + length);
    }
    // A centred text takes the cells of its lines, a glyph its one cell; a text from the left
    // its place's width, or more where it runs on.
    placement.box.rows = static_cast<int>(lines.size());
    if (centred) {
        placement.box.column = first;
        placement.box.columns = std::max(1, last - first);
    } else {
        placement.box.columns = std::max(mapped.columns, last - mapped.column);
    }
    return placement;
}

// Each text and divider that flows starts below those above it that it would run into; a tight
// fit leaves the dividers out and each text starts right below those above it.
void flow(std::vector<Placement>& layout, Fit fit) {
    if (fit == Fit::Tight)
        std::erase_if(layout, [](const Placement& placement) {
            return flows(*placement.control) &&
                   placement.control->kind() == ui::Control::Kind::Line;
        });
    std::vector<Placement*> flowing;
    for (Placement& placement : layout)
        if (flows(*placement.control)) {
            flowing.push_back(&placement);
            if (fit == Fit::Tight)
                placement.box.row = 0;
        }
    std::ranges::stable_sort(flowing, {},
                             [](const Placement* placement) { return placement->control->top(); });
    for (auto it = flowing.begin(); it != flowing.end(); ++it) {
        Cells& box = (*it)->box;
        for (bool moved = true; moved;) {
            moved = false;
            for (auto above = flowing.begin(); above != it; ++above) {
                const Cells common = box.intersected((*above)->box);
                if (common.columns > 0 && common.rows > 0) {
                    box.row = (*above)->box.bottom();
                    moved = true;
                }
            }
        }
    }
}

} // namespace

std::vector<Placement> layOut(const ui::Window& window, const CellMap& map, int columns, Fit fit) {
    std::vector<Placement> layout;
    for (ui::Control* control : window.controls()) {
        const auto area = control->drawnArea();
        if (!area)
            continue;
        if (control->kind() == ui::Control::Kind::Label) {
            const auto& label = static_cast<const ui::Label&>(*control);
            layout.push_back(
                placeText(*control, *area, label.text(), label.look().align, map, columns, fit));
        } else if (control->kind() == ui::Control::Kind::TextBlock) {
            const auto& block = static_cast<const ui::TextBlock&>(*control);
            layout.push_back(
                placeText(*control, *area, block.text(), block.look().align, map, columns, fit));
        } else {
            layout.push_back({control, map.cellsOf(*area), {}, {}});
        }
    }
    flow(layout, fit);
    return layout;
}

int columnsWanted(const ui::Window& window, const CellMap& map) {
    int columns = 0;
    for (const ui::Control* control : window.controls()) {
        const auto area = control->drawnArea();
        if (!area || control->kind() != ui::Control::Kind::Label || !flows(*control))
            continue;
        const auto& label = static_cast<const ui::Label&>(*control);
        const Cells mapped = map.cellsOf(*area);
        if (runsOn(label, mapped, label.look().align))
            for (const QString& line : linesOf(label.text()))
                columns = std::max(columns, mapped.column + displayWidth(line));
    }
    return columns;
}

int rowsTaken(const std::vector<Placement>& layout) {
    int rows = 0;
    for (const Placement& placement : layout)
        if (flows(*placement.control))
            rows = std::max(rows, placement.box.bottom());
    return rows;
}
