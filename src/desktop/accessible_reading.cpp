// Where a screen reader finds each reading in a view: on the control it stands for, a text
// block's line where it is drawn.
#include "desktop/accessible_reading.h"

#include "desktop/window_view.h"
#include "ui/control.h"

#include <QFontMetricsF>

QAccessible::Role roleOf(Reading::Role role) {
    switch (role) {
    case Reading::Role::List:
        return QAccessible::List;
    case Reading::Role::ListItem:
        return QAccessible::ListItem;
    case Reading::Role::Text:
    case Reading::Role::Field:
        break;
    }
    return QAccessible::StaticText;
}

QRectF placeOf(const WindowView& view, const Reading& reading) {
    if (reading.wholeWindow)
        return QRectF(view.rect());
    if (!reading.control)
        return {};
    if (reading.control->kind() == ui::Control::Kind::TextBlock && reading.part > 0) {
        const auto& block = static_cast<const ui::TextBlock&>(*reading.control);
        const std::vector<TextLine> lines = view.linesOf(block);
        if (static_cast<size_t>(reading.part) > lines.size())
            return {};
        const TextLine& line = lines[static_cast<size_t>(reading.part) - 1];
        const QFontMetricsF metrics(WindowView::fontOf(block.look().font));
        return {line.origin.x(), line.origin.y() - metrics.ascent(),
                metrics.horizontalAdvance(line.text) * line.squeeze, metrics.height()};
    }
    return view.placeOf(*reading.control).value_or(QRectF());
}

QStringList drawnLines(const WindowView& view, const ui::TextBlock& block) {
    QStringList lines;
    for (const TextLine& line : view.linesOf(block))
        lines << line.text;
    return lines;
}
