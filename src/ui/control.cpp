#include "ui/control.h"

#include "ui/window.h"

#include <algorithm>

namespace ui {

Control::~Control() {
    if (parent_)
        parent_->remove(*this);
    if (owner_)
        owner_->remove(*this);
}

void Control::changed() {
    if (owner_)
        owner_->markDirty();
}

void Control::setLeft(double v) {
    rect_.left = v;
    changed();
}

void Control::setTop(double v) {
    rect_.top = v;
    changed();
}

void Control::setWidth(double v) {
    rect_.width = v;
    changed();
}

void Control::setHeight(double v) {
    rect_.height = v;
    changed();
}

void Control::setRect(const Rect& r) {
    rect_ = r;
    changed();
}

void Control::setVisible(bool v) {
    if (visible_ == v)
        return;
    visible_ = v;
    changed();
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

void Board::add(Control& child) {
    child.parent_ = this;
    children_.push_back(&child);
    if (owner())
        owner()->add(child);
}

void Board::remove(Control& child) {
    std::erase(children_, &child);
    child.parent_ = nullptr;
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
