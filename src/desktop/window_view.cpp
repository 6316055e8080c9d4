#include "desktop/window_view.h"

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

// The text and look of a label or a text block.
struct Text {
    const QString& text;
    const ui::LabelLook& look;
};

std::optional<Text> textOf(const ui::Control& control) {
    switch (control.kind()) {
    case ui::Control::Kind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        return Text{label.text(), label.look()};
    }
    case ui::Control::Kind::TextBlock: {
        const auto& block = static_cast<const ui::TextBlock&>(control);
        return Text{block.text(), block.look()};
    }
    default:
        return std::nullopt;
    }
}

// Left-aligned text wraps within the part that can be seen, so a message line that runs past a
// narrow window still shows every word.
QRectF textArea(const ui::LabelLook& look, const QRectF& rect, const QRectF& clip) {
    QRectF area = rect;
    if (look.align == ui::Align::Left)
        area.setRight(std::min(rect.right(), clip.right()));
    return area;
}

// The text's own line breaks, and word wraps within width.
QStringList wrappedLines(const QString& text, const QFont& font, double width) {
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

// Sets a text into a rectangle. Lines stand one font size apart, as tight as the game's own fonts
// set them, so a long menu or a three-line message fits its field with the wider fallback font too.
// The text hangs from the top; where the letters of its last line reach below the rectangle, it
// rises as far as the first line's letters allow without leaving the top, so the message line keeps
// the tails of its third line and a label lower than its font keeps its letters whole. A line
// wider than the rectangle (one long word) is squeezed across to fit.
std::vector<WindowView::TextLine> layOut(const Text& text, const QRectF& rect) {
    const QFont font = WindowView::fontOf(text.look.font);
    const QFontMetricsF metrics(font);
    const QStringList lines = wrappedLines(text.text, font, rect.width());
    const double pitch = font.pixelSize();
    // Baselines fall on whole pixels, as the glyphs are drawn.
    double baseline = std::round(rect.top() + metrics.ascent());
    const double below = baseline + (lines.size() - 1) * pitch +
                         metrics.tightBoundingRect(lines.back()).bottom() - rect.bottom();
    const double room = baseline + metrics.tightBoundingRect(lines.front()).top() - rect.top();
    baseline -= std::max(0.0, std::min(below, room));
    std::vector<WindowView::TextLine> laid;
    for (const QString& line : lines) {
        // The room a line takes: its advance, or its ink where a letter reaches past that.
        const double width =
            std::max(metrics.horizontalAdvance(line), metrics.tightBoundingRect(line).right());
        const double squeeze = width > rect.width() ? rect.width() / width : 1;
        const double left = text.look.align == ui::Align::Center
                                ? rect.left() + (rect.width() - width * squeeze) / 2
                                : rect.left();
        laid.push_back({line, {left, baseline}, squeeze});
        baseline += pitch;
    }
    return laid;
}

} // namespace

WindowView::WindowView(Game& game, ui::Window& window, QWidget* parent)
    : QWidget(parent), game_(game), window_(&window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

ui::Window* WindowView::sceneWindow() const {
    if (window_ == &game_.mainWindow())
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
        paintControl(painter, *control, *place);
        painter.restore();
    }
}

std::vector<WindowView::TextLine> WindowView::linesOf(const ui::Control& control) const {
    const auto place = placementOf(control);
    const auto text = textOf(control);
    if (!place || !text)
        return {};
    return layOut(*text, textArea(text->look, place->rect, place->clip));
}

void WindowView::paintControl(QPainter& painter, const ui::Control& control,
                              const Placement& place) const {
    using Kind = ui::Control::Kind;
    const QRectF& rect = place.rect;
    switch (control.kind()) {
    case Kind::Label:
    case Kind::TextBlock: {
        const Text text = *textOf(control);
        const QRectF area = textArea(text.look, rect, place.clip);
        paintText(painter, text.look, area, layOut(text, area));
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

void WindowView::paintText(QPainter& painter, const ui::LabelLook& look, const QRectF& rect,
                           const std::vector<TextLine>& lines) const {
    if (look.opaque)
        painter.fillRect(rect, colourOf(look.backColour));
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(colourOf(look.foreColour));
    painter.setFont(fontOf(look.font));
    for (const TextLine& line : lines) {
        painter.save();
        painter.translate(line.origin);
        painter.scale(line.squeeze, 1);
        painter.drawText(QPointF(), line.text);
        painter.restore();
    }
    painter.restore();
    if (look.border)
        frame(painter, rect);
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
