#include "ui/control.h"

#include "ui/window.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

// Where two rectangles meet; a line meets a rectangle too, though it covers no area.
std::optional<Rect> overlap(const Rect& a, const Rect& b) {
    const double left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const double right = std::min(a.left + a.width, b.left + b.width);
    const double bottom = std::min(a.top + a.height, b.top + b.height);
    if (right < left || bottom < top)
        return std::nullopt;
    return Rect{left, top, right - left, bottom - top};
}

// The parts of a outside b: the bands above and below b, and beside it in between.
std::vector<Rect> outside(const Rect& a, const Rect& b) {
    const auto common = overlap(a, b);
    if (!common)
        return {a};
    std::vector<Rect> parts;
    const double right = a.left + a.width, bottom = a.top + a.height;
    const double commonRight = common->left + common->width;
    const double commonBottom = common->top + common->height;
    if (common->top > a.top)
        parts.push_back({a.left, a.top, a.width, common->top - a.top});
    if (commonBottom < bottom)
        parts.push_back({a.left, commonBottom, a.width, bottom - commonBottom});
    if (common->left > a.left)
        parts.push_back({a.left, common->top, common->left - a.left, common->height});
    if (commonRight < right)
        parts.push_back({commonRight, common->top, right - commonRight, common->height});
    return parts;
}

} // namespace

Control::~Control() {
    // Still on its board, so that the window knows where it was drawn.
    if (owner_)
        owner_->remove(*this);
    if (parent_)
        parent_->remove(*this);
}

std::optional<Rect> Control::drawnArea() const {
    if (!parent_)
        return visible_ ? std::optional(rect_) : std::nullopt;
    const auto board = parent_->drawnArea();
    return board ? drawnOn(*board) : std::nullopt;
}

std::optional<Rect> Control::drawnOn(const Rect& board) const {
    if (!visible_)
        return std::nullopt;
    return overlap({board.left + rect_.left, board.top + rect_.top, rect_.width, rect_.height},
                   board);
}

void Control::changed(const std::optional<Rect>& before) {
    if (!owner_)
        return;
    if (before)
        owner_->markChanged(*before);
    if (const auto now = drawnArea())
        owner_->markChanged(*now);
    owner_->refile(*this);
}

void Control::setLeft(double v) {
    setRect({v, rect_.top, rect_.width, rect_.height});
}

void Control::setTop(double v) {
    setRect({rect_.left, v, rect_.width, rect_.height});
}

void Control::setWidth(double v) {
    setRect({rect_.left, rect_.top, v, rect_.height});
}

void Control::setHeight(double v) {
    setRect({rect_.left, rect_.top, rect_.width, v});
}

void Control::setRect(const Rect& r) {
    if (r == rect_)
        return;
    const auto before = drawnArea();
    rect_ = r;
    moved(before);
}

void Control::moved(const std::optional<Rect>& before) {
    changed(before);
}

void Control::setVisible(bool v) {
    if (visible_ == v)
        return;
    const auto before = drawnArea();
    visible_ = v;
    changed(before);
}

Label::Label(const QString& text, const LabelLook& look, const Rect& rect, bool visible)
    : Control(Kind::Label), text_(text), look_(look) {
    setRect(rect);
    setVisible(visible);
}

void Label::setText(const QString& t) {
    if (text_ == t)
        return;
    text_ = t;
    changed();
}

void Label::setLook(const LabelLook& l) {
    look_ = l;
    changed();
}

Board::Board(Colour back, const Rect& rect) : Control(Kind::Board), back_(back) {
    setRect(rect);
}

Board::~Board() {
    for (Control* c : children_)
        c->parent_ = nullptr;
}

void Board::setBackColour(Colour c) {
    back_ = c;
    changed();
}

void Board::moved(const std::optional<Rect>& before) {
    const auto now = drawnArea();
    if (!owner() || !before || !now) {
        changed(before);
        return;
    }
    // Its face where the old and the new place overlap stays as it was.
    for (const auto& [from, to] : {std::pair(*before, *now), std::pair(*now, *before)})
        for (const Rect& edge : outside(from, to))
            owner()->markChanged(edge);
    for (const Control* child : children_)
        for (const Rect& place : {*before, *now})
            if (const auto area = child->drawnOn(place))
                owner()->markChanged(*area);
    owner()->refile(*this);
}

void Board::add(Control& child) {
    child.parent_ = this;
    children_.push_back(&child);
    if (owner())
        owner()->add(child);
}

void Board::remove(Control& child) {
    std::erase(children_, &child);
    child.parent_ = nullptr;
    if (child.owner_)
        child.owner_->refile(child);
}

Line::Line(double x1, double y1, double x2, double y2, Colour colour)
    : Control(Kind::Line), colour_(colour) {
    setRect({x1, y1, x2 - x1, y2 - y1});
}

TextBlock::TextBlock(const QString& text, const LabelLook& look, const Rect& rect)
    : Control(Kind::TextBlock), text_(text), look_(look) {
    setRect(rect);
}

Picture::Picture(const QString& resource, const Rect& rect)
    : Control(Kind::Picture), resource_(resource) {
    setRect(rect);
}

} // namespace ui
