#include "desktop/window_view.h"

#include "shell/game.h"
#include "ui/control.h"
#include "ui/window.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>
#include <QtMath>
#include <algorithm>

namespace {

QColor colourOf(ui::Colour c) {
    return QColor(ui::red(c), ui::green(c), ui::blue(c));
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
    if (look.align == ui::Align::Left && clip.right() < rect.right())
        area.setRight(clip.right());
    return area;
}

// The pixels a rectangle fills whole.
QRect inside(const QRectF& r) {
    const QPoint topLeft(qCeil(r.left()), qCeil(r.top()));
    return QRect(topLeft, QPoint(qFloor(r.right()), qFloor(r.bottom())) - QPoint(1, 1));
}

// Every pixel a rectangle touches, and one more around it for a line's end.
QRect reach(const QRectF& r) {
    return r.adjusted(-1, -1, 1, 1).toAlignedRect();
}

// The parts of a region in twips, a pixel wider all round for a line's end.
std::vector<ui::Rect> twipsOf(const QRegion& region, const Zoom& zoom) {
    std::vector<ui::Rect> areas;
    for (const QRect& part : region)
        areas.push_back({zoom.twips(part.left() - 1), zoom.twips(part.top() - 1),
                         zoom.twips(part.width() + 2), zoom.twips(part.height() + 2)});
    return areas;
}

// More set texts than a window shows labels with text.
constexpr std::size_t kMostSetTexts = 512;

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

void WindowView::setZoom(const Zoom& zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    setTexts_.clear();
    update();
}

QFont WindowView::fontOf(const ui::Font& font, const Zoom& zoom) {
    QFont qfont;
    qfont.setFamilies({font.family, QStringLiteral("DejaVu Sans Mono")});
    qfont.setStyleHint(QFont::Monospace);
    // Zoomed, never larger than the designed size in proportion, so what fits there fits zoomed.
    const int designed = qRound(font.points * 96 / 72);
    qfont.setPixelSize(std::max(1, qFloor(designed * zoom.factor() + 1e-9)));
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    return qfont;
}

std::optional<WindowView::Placement> WindowView::placementOf(const ui::Control& control) const {
    if (!control.visible())
        return std::nullopt;
    Placement place{zoom_.pixels(control.rect()), QRectF(rect())};
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
    std::vector<ui::Control*> drawn =
        shown->seenIn({{zoom_.twips(point.x()), zoom_.twips(point.y()), 0, 0}});
    std::erase_if(drawn, [&](const ui::Control* control) {
        const auto place = placementOf(*control);
        return !place || !covers(place->clip, point) || !covers(place->rect, point);
    });
    return ui::labelOnTop(drawn);
}

void WindowView::updateAreas(const std::vector<ui::Rect>& areas) {
    QRegion region;
    for (const ui::Rect& area : areas)
        region += reach(zoom_.pixels(area));
    if (!region.isEmpty())
        update(region);
}

void WindowView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const ui::Window* shown = sceneWindow();
    const QRegion& region = event->region();
    if (!shown) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Only the controls in the part to paint are looked at, however many the window holds: the
    // background where no board covers it, then the controls.
    const std::vector<ui::Control*> drawn = shown->seenIn(twipsOf(region, zoom_));
    QRegion background = region;
    for (const ui::Control* control : drawn)
        if (control->kind() == ui::Control::Kind::Board && !control->parentBoard())
            if (const auto place = placementOf(*control))
                background -= inside(place->rect.intersected(place->clip));
    for (const QRect& part : background)
        painter.fillRect(part, colourOf(shown->backColour()));
    for (const ui::Control* control : drawn) {
        const auto place = placementOf(*control);
        if (!place || !region.intersects(reach(place->rect) & reach(place->clip)))
            continue;
        // A control inside its boards' clip, such as a trail mark, is drawn without one.
        const bool clipped = !place->clip.contains(place->rect);
        if (clipped) {
            painter.save();
            painter.setClipRect(place->clip);
        }
        paintControl(painter, *control, *place);
        if (clipped)
            painter.restore();
    }
    // Set texts of labels long gone are dropped now and then; those shown are set anew.
    if (setTexts_.size() > kMostSetTexts)
        setTexts_.clear();
}

const SetText& WindowView::setTextOf(const QString& text, const ui::Font& font,
                                     const ui::Control& control, double width) const {
    const auto found = setTexts_.find(&control);
    if (found != setTexts_.end() && found->second.holds(text, font, width))
        return found->second;
    SetText set(text, font, fontOf(font, zoom_), width);
    return setTexts_.insert_or_assign(&control, std::move(set)).first->second;
}

std::vector<WindowView::TextLine> WindowView::linesOf(const ui::Control& control) const {
    const auto place = placementOf(control);
    const auto text = textOf(control);
    if (!place || !text || text->text.isEmpty())
        return {};
    const QRectF area = textArea(text->look, place->rect, place->clip);
    return setTextOf(text->text, text->look.font, control, area.width())
        .place(area, text->look.align);
}

void WindowView::paintControl(QPainter& painter, const ui::Control& control,
                              const Placement& place) const {
    using Kind = ui::Control::Kind;
    const QRectF& rect = place.rect;
    switch (control.kind()) {
    case Kind::Label:
    case Kind::TextBlock: {
        const Text text = *textOf(control);
        const ui::LabelLook& look = text.look;
        const QRectF area = textArea(look, rect, place.clip);
        if (look.opaque)
            painter.fillRect(area, colourOf(look.backColour));
        if (!text.text.isEmpty()) {
            const SetText& set = setTextOf(text.text, look.font, control, area.width());
            painter.save();
            painter.setClipRect(area, Qt::IntersectClip);
            painter.setPen(colourOf(look.foreColour));
            set.draw(painter, set.place(area, look.align));
            painter.restore();
        }
        if (look.border)
            frame(painter, area);
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
