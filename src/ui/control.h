#pragma once

#include "ui/geometry.h"

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ui {

class Window;
class Board;

// Where a control lies in its window's drawing order: the place it was added at, and its rank
// among the controls added at that same place (the elements of a label array).
struct Depth {
    std::uint64_t place = 0;
    int rank = 0;
    auto operator<=>(const Depth&) const = default;
};

// Anything a window shows or keeps: geometry and visibility, owned by its window.
// Every change marks where it was drawn and where it is drawn now as changed in the owning window.
class Control {
  public:
    enum class Kind { Label, Board, HiddenField, Line, TextBlock, Picture };

    explicit Control(Kind kind) : kind_(kind) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Kind kind() const { return kind_; }
    Window* owner() const { return owner_; }
    Board* parentBoard() const { return parent_; }
    // Controls of greater depth are drawn over those of lesser depth.
    const Depth& depth() const { return depth_; }

    double left() const { return rect_.left; }
    double top() const { return rect_.top; }
    double width() const { return rect_.width; }
    double height() const { return rect_.height; }
    const Rect& rect() const { return rect_; }
    bool visible() const { return visible_; }
    // Where the control is drawn in its window, clipped to its board; nothing while it or its
    // board is hidden.
    std::optional<Rect> drawnArea() const;

    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setRect(const Rect& r);
    void setVisible(bool v);

  protected:
    // Marks where the control is drawn, and where it was drawn before a move.
    void changed(const std::optional<Rect>& before = std::nullopt);
    // After a move or a change of size: by default, the old and the new place.
    virtual void moved(const std::optional<Rect>& before);
    // Where the control would be drawn on a board drawn at board.
    std::optional<Rect> drawnOn(const Rect& board) const;

  private:
    friend class Window;
    friend class Board;
    friend class ControlIndex;
    Kind kind_;
    Window* owner_ = nullptr;
    Board* parent_ = nullptr;
    Depth depth_;
    std::optional<Rect> filed_; // where the owner's index has it
    Rect rect_;
    bool visible_ = true;
};

// Orders controls as they are drawn, bottom first.
inline bool drawnBefore(const Control* a, const Control* b) {
    return a->depth() < b->depth();
}

// The look of a label: set when its window is made, changed rarely.
struct LabelLook {
    Colour foreColour = 0x000000;
    bool opaque = false; // false: the window or board shows through
    Colour backColour = 0x000000;
    Font font;
    Align align = Align::Left;
    bool border = false;
    QString tooltip;
    bool handCursor = false;

    bool operator==(const LabelLook&) const = default;
};

class Label : public Control {
  public:
    Label() : Control(Kind::Label) {}
    Label(const QString& text, const LabelLook& look, const Rect& rect, bool visible = true);

    const QString& text() const { return text_; }
    void setText(const QString& t);
    const LabelLook& look() const { return look_; }
    void setLook(const LabelLook& l);

    // Called when the player clicks inside the label's rectangle.
    std::function<void()> onClick;

  private:
    QString text_;
    LabelLook look_;
};

// A filled rectangle whose labels are positioned relative to it and clipped to it.
class Board : public Control {
  public:
    explicit Board(Colour back = 0x000000, const Rect& rect = {});
    ~Board() override;

    Colour backColour() const { return back_; }
    void setBackColour(Colour c);

    void add(Control& child);
    void remove(Control& child);
    const std::vector<Control*>& children() const { return children_; }

  protected:
    // A board that moves or changes size marks the edges it uncovers or newly covers and the old
    // and new places of its labels; its face between, an even colour, stays as it was.
    void moved(const std::optional<Rect>& before) override;

  private:
    Colour back_;
    std::vector<Control*> children_;
};

// A text that is never drawn: flags and counters of a window.
class HiddenField : public Control {
  public:
    explicit HiddenField(const QString& text = {}) : Control(Kind::HiddenField), text_(text) {
        setVisible(false);
    }
    const QString& text() const { return text_; }
    void setText(const QString& t) { text_ = t; }
    bool isSet() const { return !text_.isEmpty(); }

  private:
    QString text_;
};

class Line : public Control {
  public:
    Line(double x1, double y1, double x2, double y2, Colour colour);
    double x1() const { return left(); }
    double y1() const { return top(); }
    double x2() const { return left() + width(); }
    double y2() const { return top() + height(); }
    Colour colour() const { return colour_; }

  private:
    Colour colour_;
};

// A multi-line text field that shows fixed text (menus).
class TextBlock : public Control {
  public:
    TextBlock(const QString& text, const LabelLook& look, const Rect& rect);
    const QString& text() const { return text_; }
    const LabelLook& look() const { return look_; }

  private:
    QString text_;
    LabelLook look_;
};

// A small picture shipped with the game, named by its resource path.
class Picture : public Control {
  public:
    Picture(const QString& resource, const Rect& rect);
    const QString& resource() const { return resource_; }

  private:
    QString resource_;
};

} // namespace ui
