#pragma once

#include "ui/control.h"
#include "ui/control_index.h"

#include <vector>

namespace ui {

class Timer;

// A window of the scene: caption, outer geometry, background and its controls, which are drawn in
// the order they were added. The game's windows derive from it and override the handlers.
class Window {
  public:
    // Frame allowance around the client area of a child window.
    static constexpr double kBorder = 60;
    static constexpr double kCaptionBar = 330;
    // The narrowest a child window can get.
    static constexpr double kMinimumWidth = 1800;

    Window(const QString& caption, double clientWidth, double clientHeight, Colour back,
           bool titleBar = true);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    bool titleBar() const { return titleBar_; }
    Colour backColour() const { return back_; }

    // Outer geometry, frame and caption bar included.
    double left() const { return rect_.left; }
    double top() const { return rect_.top; }
    double width() const { return rect_.width; }
    double height() const { return rect_.height; }
    const Rect& rect() const { return rect_; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v); // never below kMinimumWidth
    void setHeight(double v);

    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool closed() const { return closed_; }

    // Adds a control in front of those added before.
    void add(Control& c);
    // Adds a control in the place of `first` in the drawing order, in front of the controls added
    // there with a lower rank and behind those with a higher one.
    void add(Control& c, const Control& first, int rank);
    void remove(Control& c);
    // Bottom first, as they are drawn.
    const std::vector<Control*>& controls() const { return controls_; }
    // The controls drawn in any of the areas, bottom first; those under an opaque control drawn in
    // the very same place are left out.
    std::vector<Control*> seenIn(const std::vector<Rect>& areas) const {
        return index_.seenIn(areas);
    }
    const std::vector<Timer*>& timers() const { return timers_; }

    // Handlers; the defaults do nothing. onLoad runs once, right after the window is made.
    virtual void onLoad() {}
    virtual void onKeyDown(int /*keyCode*/) {}
    virtual void onKeyPress(int /*charCode*/) {}

    // Repaint bookkeeping for the front end: the window itself changed (caption, place, size,
    // enabled), and the areas of the client where controls changed, in twips.
    bool dirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    const std::vector<Rect>& changedAreas() const { return changedAreas_; }
    void markChanged(const Rect& area);
    void clearDirty();

  protected:
    // Runs once when the window is closed, before it becomes inert.
    virtual void onUnload() {}

  private:
    friend class Scene;
    friend class Timer;
    friend class Control;
    friend class Board;
    void markClosed();
    // Notes where a control of the window is drawn now, and the labels of a board with it.
    void refile(Control& c);
    // Files a control just added, and the labels of a board with it.
    void added(Control& c);

    QString caption_;
    Rect rect_;
    Colour back_;
    bool titleBar_;
    bool enabled_ = true;
    bool closed_ = false;
    bool dirty_ = true;
    std::vector<Rect> changedAreas_;
    std::vector<Control*> controls_; // by depth
    ControlIndex index_;
    std::uint64_t lastPlace_ = 0;
    std::vector<Timer*> timers_;
};

// The label a click reaches among the controls drawn under it, bottom first, as a front end drew
// them: the top one when it is a label. A board hides what lies below it, so a click on one
// reaches none; lines, texts and pictures let the click through.
Label* labelOnTop(const std::vector<Control*>& drawnThere);

} // namespace ui
