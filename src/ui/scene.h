#pragma once

#include "ui/window.h"

#include <memory>
#include <vector>

namespace ui {

// The open child windows, bottom first. Closing a window runs its onUnload at once and makes
// it inert; the window is freed by collect(), which runs after every handler, so a handler may
// close its own window.
class Scene {
  public:
    template <class T, class... Args> T& open(Args&&... args) {
        auto window = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *window;
        windows_.push_back(std::move(window));
        ++revision_;
        return ref;
    }
    void close(Window& w);
    void collect();

    template <class T> T* find() const {
        for (const auto& w : windows_)
            if (auto* t = dynamic_cast<T*>(w.get()))
                return t;
        return nullptr;
    }
    std::vector<Window*> windows() const;
    // The window that takes the keys: the one in front.
    Window* active() const;
    void bringToFront(Window& w);

    // A key goes down in the window in front: key-down, then key-press when the key has a
    // character, as long as that window is still open and enabled.
    void keyDown(int keyCode, int charCode);

    // Counts openings, closings and reorderings, so a front end knows when to sync its windows.
    unsigned revision() const { return revision_; }

  private:
    std::vector<std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> closed_;
    unsigned revision_ = 0;
};

} // namespace ui
