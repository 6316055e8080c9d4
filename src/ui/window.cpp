#include "ui/window.h"

#include "ui/clock.h"

#include <algorithm>

namespace ui {

namespace {

// Past this many changed areas they merge into one that holds them all.
constexpr std::size_t kMostChangedAreas = 64;

Rect bounds(const Rect& a, const Rect& b) {
    const double left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
            std::max(a.top + a.height, b.top + b.height) - top};
}

} // namespace

Window::Window(const QString& caption, double clientWidth, double clientHeight, Colour back,
               bool titleBar)
    : caption_(caption), back_(back), titleBar_(titleBar) {
    rect_.width = clientWidth + (titleBar ? 2 * kBorder : 0);
    rect_.height = clientHeight + (titleBar ? 2 * kBorder + kCaptionBar : 0);
}

Window::~Window() {
    for (Control* c : controls_)
        c->owner_ = nullptr;
    for (Timer* t : timers_)
        t->owner_ = nullptr;
}

void Window::setCaption(const QString& c) {
    caption_ = c;
    markDirty();
}

void Window::setLeft(double v) {
    rect_.left = v;
    markDirty();
}

void Window::setTop(double v) {
    rect_.top = v;
    markDirty();
}

void Window::setWidth(double v) {
    rect_.width = std::max(v, kMinimumWidth);
    markDirty();
}

void Window::setHeight(double v) {
    rect_.height = v;
    markDirty();
}

void Window::setEnabled(bool e) {
    enabled_ = e;
    markDirty();
}

void Window::markChanged(const Rect& area) {
    if (!changedAreas_.empty() && changedAreas_.back() == area)
        return;
    if (changedAreas_.size() < kMostChangedAreas) {
        changedAreas_.push_back(area);
        return;
    }
    Rect all = area;
    for (const Rect& changed : changedAreas_)
        all = bounds(all, changed);
    changedAreas_ = {all};
}

void Window::clearDirty() {
    dirty_ = false;
    changedAreas_.clear();
}

void Window::add(Control& c) {
    c.depth_ = {++lastPlace_, 0};
    controls_.push_back(&c);
    added(c);
}

void Window::add(Control& c, const Control& first, int rank) {
    c.depth_ = {first.depth_.place, rank};
    controls_.insert(std::upper_bound(controls_.begin(), controls_.end(), &c, drawnBefore), &c);
    added(c);
}

void Window::added(Control& c) {
    c.owner_ = this;
    if (c.kind() == Control::Kind::Board)
        for (Control* child : static_cast<Board&>(c).children())
            if (child->owner_ != this)
                add(*child);
    refile(c);
    if (const auto area = c.drawnArea())
        markChanged(*area);
}

void Window::remove(Control& c) {
    if (const auto area = c.drawnArea())
        markChanged(*area);
    index_.file(c, std::nullopt);
    // Found by its depth: a window of many controls is never searched through.
    const auto at = std::lower_bound(controls_.begin(), controls_.end(), &c, drawnBefore);
    if (at != controls_.end() && *at == &c)
        controls_.erase(at);
    c.owner_ = nullptr;
}

void Window::refile(Control& c) {
    index_.file(c, c.drawnArea());
    if (c.kind() == Control::Kind::Board)
        for (Control* child : static_cast<Board&>(c).children())
            if (child->owner_ == this)
                index_.file(*child, child->drawnArea());
}

void Window::markClosed() {
    closed_ = true;
    for (Timer* t : timers_)
        t->setEnabled(false);
}

Label* labelOnTop(const std::vector<Control*>& drawnThere) {
    for (auto it = drawnThere.rbegin(); it != drawnThere.rend(); ++it) {
        if ((*it)->kind() == Control::Kind::Label)
            return static_cast<Label*>(*it);
        if ((*it)->kind() == Control::Kind::Board)
            return nullptr;
    }
    return nullptr;
}

} // namespace ui
