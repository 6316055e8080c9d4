#pragma once

#include "desktop/set_text.h"
#include "desktop/zoom.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class Game;
namespace ui {
class Control;
class Label;
class Window;
struct LabelLook;
} // namespace ui

// Paints one window of the scene from its controls and reports mouse presses: kTwipsPerPixel to a
// logical pixel at the zoom, controls in the window's order, the labels of a board placed relative
// to it and clipped to it.
class WindowView : public QWidget {
    Q_OBJECT

  public:
    WindowView(Game& game, ui::Window& window, QWidget* parent = nullptr);

    // The window shown here, or nullptr once the scene has closed it.
    ui::Window* sceneWindow() const;
    // The topmost visible label under a point of the view (logical pixels); none where a board
    // lies above the labels there.
    ui::Label* labelAt(QPointF point) const;
    // Where a control is drawn in the view, or nothing while it or its board is hidden.
    std::optional<QRectF> placeOf(const ui::Control& control) const;

    // The font of a look: the game's Lucida faces fall back to a monospace face, sized in points
    // as at 96 dpi, times the zoom.
    static QFont fontOf(const ui::Font& font, const Zoom& zoom = {});

    const Zoom& zoom() const { return zoom_; }
    // Draws the window at another zoom: its texts are set anew in fonts of that size.
    void setZoom(const Zoom& zoom);

    using TextLine = ::TextLine;
    // The lines of a shown label or text block with text as drawn in its font (fontOf); none
    // otherwise.
    // Each keeps its text set in its font until the text, the font or its width changes.
    std::vector<TextLine> linesOf(const ui::Control& control) const;

    // Repaints the areas of the window that changed (twips), and nothing else.
    void updateAreas(const std::vector<ui::Rect>& areas);

    // A left-button press at a point of the view.
    std::function<void(QPointF)> onPress;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Placement {
        QRectF rect; // the control, in view pixels
        QRectF clip; // the boards it lies on
    };
    std::optional<Placement> placementOf(const ui::Control& control) const;
    // The text of a label or text block, set anew when its text, font or width changed; an empty
    // text (a trail mark, a hole) is never set.
    const SetText& setTextOf(const QString& text, const ui::Font& font, const ui::Control& control,
                             double width) const;
    void paintControl(QPainter& painter, const ui::Control& control, const Placement& place) const;

    Game& game_;
    ui::Window* window_;
    Zoom zoom_;
    mutable std::unordered_map<const ui::Control*, SetText> setTexts_;
};
