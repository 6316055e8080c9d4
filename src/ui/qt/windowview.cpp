#include "ui/qt/windowview.h"

#include "shell/game.h"
#include "ui/control.h"
#include "ui/window.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

namespace {

QColor colourOf(ui::Colour c) {
    return QColor(ui::red(c), ui::green(c), ui::blue(c));
}

QRectF pixels(const ui::Rect& r) {
    const double k = ui::kTwipsPerPixel;
    return {r.left / k, r.top / k, r.width / k, r.height / k};
}

// Half-open, like the pixels a rectangle covers.
bool covers(const QRectF& r, QPointF p) {
    return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

// A thin single border just inside the rectangle.
void frame(QPainter& painter, const QRectF& r) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

WindowView::WindowView(Game& game, ui::Window& window, QWidget* parent)
    : QWidget(parent), game_(game), window_(&window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

ui::Window* WindowView::sceneWindow() const {
    if (window_ == &game_.main())
        return window_;
    const std::vector<ui::Window*> open = game_.scene().windows();
    return std::ranges::find(open, window_) != open.end() ? window_ : nullptr;
}

QFont WindowView::fontOf(const ui::Font& font) {
    QFont qfont;
    qfont.setFamilies({font.family, QStringLiteral("DejaVu Sans Mono")});
    qfont.setStyleHint(QFont::Monospace);
    qfont.setPixelSize(std::max(1, qRound(font.points * 96 / 72)));
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    return qfont;
}

std::optional<WindowView::Placement> WindowView::placementOf(const ui::Control& control) const {
    if (!control.visible())
        return std::nullopt;
    Placement place{pixels(control.rect()), QRectF(rect())};
    if (const ui::Board* board = control.parentBoard()) {
        const auto outer = placementOf(*board);
        if (!outer)
            return std::nullopt;
        place.rect.translate(outer->rect.topLeft());
        place.clip = outer->clip.intersected(outer->rect);
    }
    return place;
}

std::optional<QRectF> WindowView::placeOf(const ui::Control& control) const {
    if (const auto place = placementOf(control))
        return place->rect;
    return std::nullopt;
}

ui::Label* WindowView::labelAt(QPointF point) const {
    const ui::Window* shown = sceneWindow();
    if (!shown)
        return nullptr;
    const std::vector<ui::Control*>& controls = shown->controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const ui::Control::Kind kind = (*it)->kind();
        if (kind != ui::Control::Kind::Label && kind != ui::Control::Kind::Board)
            continue;
        const auto place = placementOf(**it);
        if (!place || !covers(place->clip, point) || !covers(place->rect, point))
            continue;
        // A board hides what lies below it: a click on it is on none of those labels.
        return kind == ui::Control::Kind::Label ? static_cast<ui::Label*>(*it) : nullptr;
    }
    return nullptr;
}

void WindowView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const ui::Window* shown = sceneWindow();
    painter.fillRect(rect(), shown ? colourOf(shown->backColour()) : QColor(Qt::black));
    if (!shown)
        return;
    for (const ui::Control* control : shown->controls()) {
        const auto place = placementOf(*control);
        if (!place)
            continue;
        painter.save();
        painter.setClipRect(place->clip);
        paintControl(painter, *control, place->rect);
        painter.restore();
    }
}

void WindowView::paintControl(QPainter& painter, const ui::Control& control,
                              const QRectF& rect) const {
    using Kind = ui::Control::Kind;
    switch (control.kind()) {
    case Kind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        // Left-aligned text wraps within the part that can be seen, so a message line that
        // runs past a narrow window still shows every word.
        QRectF shown = rect;
        if (label.look().align == ui::Align::Left)
            shown.setRight(std::min(rect.right(), painter.clipBoundingRect().right()));
        paintText(painter, shown, label.text(), label.look());
        break;
    }
    case Kind::TextBlock: {
        const auto& block = static_cast<const ui::TextBlock&>(control);
        paintText(painter, rect, block.text(), block.look());
        break;
    }
    case Kind::Board: {
        const auto& board = static_cast<const ui::Board&>(control);
        painter.fillRect(rect, colourOf(board.backColour()));
        break;
    }
    case Kind::Line:
        painter.setPen(QPen(colourOf(static_cast<const ui::Line&>(control).colour()), 0));
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        break;
    case Kind::Picture: {
        const QPixmap pixmap(static_cast<const ui::Picture&>(control).resource());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect, pixmap, QRectF(pixmap.rect()));
        break;
    }
    case Kind::HiddenField:
        break;
    }
}

void WindowView::paintText(QPainter& painter, const QRectF& rect, const QString& text,
                           const ui::LabelLook& look) const {
    if (look.opaque)
        painter.fillRect(rect, colourOf(look.backColour));
    const Qt::Alignment align =
        (look.align == ui::Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    const QFont font = fontOf(look.font);
    const QFontMetricsF metrics(font);
    // A label lower than its font's ascent keeps the baseline of its first line inside it, so
    // its letters show whole.
    const double overshoot = std::max(0.0, metrics.ascent() - rect.height());
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(colourOf(look.foreColour));
    painter.setFont(font);
    // Lines stand one font size apart, as tight as the game's own fonts set them, so a long
    // menu or a three-line message fits its field with the wider fallback font too.
    double top = rect.top() - overshoot;
    for (const QString& line : wrappedLines(text, font, rect.width())) {
        painter.drawText(QRectF(rect.left(), top, rect.width(), metrics.height()),
                         static_cast<int>(align) | Qt::TextDontClip, line);
        top += font.pixelSize();
    }
    painter.restore();
    if (look.border)
        frame(painter, rect);
}

QStringList WindowView::wrappedLines(const QString& text, const QFont& font, double width) {
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n"));
    QStringList lines;
    for (const QString& paragraph : text.split(lineBreak)) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (part.endsWith(QLatin1Char(' ')))
                part.chop(1);
            lines << part;
        }
        layout.endLayout();
    }
    return lines;
}

void WindowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !onPress) {
        QWidget::mousePressEvent(event);
        return;
    }
    onPress(event->position());
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
    const ui::Label* label = labelAt(event->position());
    if (label && label->look().handCursor)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

bool WindowView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const ui::Label* label = labelAt(help->pos());
    if (label && !label->look().tooltip.isEmpty()) {
        QToolTip::showText(help->globalPos(), label->look().tooltip, this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}
