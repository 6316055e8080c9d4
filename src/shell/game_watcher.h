#pragma once

namespace ui {
class Label;
class Window;
struct Rect;
} // namespace ui

// Sees every input before the game takes it, and the moments a game begins: a recorder writes
// them down, a replay lets through only its own. An input answered with false is dropped.
class GameWatcher {
  public:
    virtual ~GameWatcher() = default;

    virtual bool starting() = 0;
    virtual bool keyDown(int keyCode, int charCode) = 0;
    virtual bool click(const ui::Label& label) = 0;
    virtual bool bringToFront(const ui::Window& window) = 0;
    virtual bool place(const ui::Window& window, const ui::Rect& rect) = 0;

    // A new game or a load is about to start one.
    virtual void gameStarting() = 0;
    // The saved game is about to be read.
    virtual void openingSavedGame() = 0;
};
