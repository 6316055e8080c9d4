#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class Game;
namespace ui {
class Control;
class Label;
class Window;
struct Font;
struct LabelLook;
} // namespace ui

// Paints one window of the scene from its controls and reports mouse presses: kTwipsPerPixel to a
// logical pixel, controls in the window's order, the labels of a board placed relative to it and
// clipped to it.
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
    // as at 96 dpi.
    static QFont fontOf(const ui::Font& font);

    // A line of text as drawn: the left end of its baseline, and how far it is squeezed across.
    struct TextLine {
        QString text;
        QPointF origin;
        double squeeze = 1;
    };
    // The lines of a shown label or text block as drawn in its font (fontOf); none otherwise.
    std::vector<TextLine> linesOf(const ui::Control& control) const;

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
    void paintControl(QPainter& painter, const ui::Control& control, const Placement& place) const;
    void paintText(QPainter& painter, const ui::LabelLook& look, const QRectF& rect,
                   const std::vector<TextLine>& lines) const;

    Game& game_;
    ui::Window* window_;
};
