#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class Game;
namespace ui {
class Control;
class Label;
class Window;
struct Font;
struct LabelLook;
} // namespace ui

// Paints one window of the scene from its controls and reports mouse presses: 15 twips to a
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
    // The text's lines as drawn: its own line breaks, and word wraps within width.
    static QStringList wrappedLines(const QString& text, const QFont& font, double width);

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
    void paintControl(QPainter& painter, const ui::Control& control, const QRectF& rect) const;
    void paintText(QPainter& painter, const QRectF& rect, const QString& text,
                   const ui::LabelLook& look) const;

    Game& game_;
    ui::Window* window_;
};
