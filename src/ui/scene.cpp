#include "ui/scene.h"

#include <algorithm>

namespace ui {

void Scene::close(Window& w) {
    if (w.closed())
        return;
    w.closed_ = true; // a close from inside onUnload does nothing more
    w.onUnload();
    w.markClosed();
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const auto& p) { return p.get() == &w; });
    if (it != windows_.end()) {
        closed_.push_back(std::move(*it));
        windows_.erase(it);
    }
    ++revision_;
}

void Scene::collect() {
    closed_.clear();
}

std::vector<Window*> Scene::windows() const {
    std::vector<Window*> list;
    for (const auto& w : windows_)
        list.push_back(w.get());
    return list;
}

Window* Scene::active() const {
    return windows_.empty() ? nullptr : windows_.back().get();
}

void Scene::bringToFront(Window& w) {
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const auto& p) { return p.get() == &w; });
    if (it == windows_.end() || it + 1 == windows_.end())
        return;
    std::rotate(it, it + 1, windows_.end());
    ++revision_;
}

void Scene::keyDown(int keyCode, int charCode) {
    Window* w = active();
    if (!w || !w->enabled())
        return;
    w->onKeyDown(keyCode);
    if (charCode != 0 && !w->closed() && w->enabled())
        w->onKeyPress(charCode);
    collect();
}

} // namespace ui
