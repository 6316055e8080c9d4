#pragma once

#include "desktop/zoom.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class Game;
class QMdiArea;
class QMdiSubWindow;
class WindowView;
namespace ui {
class Window;
} // namespace ui

// The main window "Vexmoor": the MDI area with one sub-window per open window of the scene, and
// the status panel along the bottom, both zoomed to fill the window (see Stage). Every key, click
// and stretch of time reaches the game through it, and after each one it shows what changed. F11
// fills the screen and back, and is no key for the game.
class DesktopWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit DesktopWindow(Game& game);
    ~DesktopWindow() override;

    QMdiArea& area() const { return *area_; }
    WindowView& panel() const { return *panel_; }
    // Where the area and the panel stand, and at what zoom.
    const Stage& stage() const { return stage_; }
    // The sub-window that shows a window of the scene, or nullptr.
    QMdiSubWindow* subWindowOf(const ui::Window& window) const;
    WindowView* viewOf(const ui::Window& window) const;

    // A key for the window in front.
    void keyDown(int keyCode, int charCode);
    // Lets time pass on the game clock.
    void advance(std::int64_t ms);
    // True while a key, click or tick is being handled.
    bool busy() const { return depth_ > 0; }

    // Shows the scene: sub-windows open, close and restack when windows did, and the windows that
    // changed are placed and repainted.
    void sync();

    // The program is ending: nothing reaches the game any more.
    void stop();
    bool stopped() const { return stopped_; }

    // Closing the window while a board is open asks the player whether to abandon the game, and
    // only "yes" ends the program; unset, the window closes at once. The game clock stands still
    // while the question is open.
    std::function<bool(const QString& question)> askYesNo;

  signals:
    // Before a key or click reaches the game (the clock catches up to now), and after.
    void inputArriving();
    void inputDelivered();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Child {
        ui::Window* window;
        QMdiSubWindow* sub;
        WindowView* view;
    };

    void deliver(const std::function<void()>& step);
    bool mayClose();
    bool keyEvent(QObject* watched, const QKeyEvent& event);
    void press(WindowView& view, std::optional<QPointF> point);
    void subWindowActivated(QMdiSubWindow* sub);
    // Zooms the area and the panel to the window's client area.
    void layOut();
    void openChildren();
    void restack();
    void place(const Child& child);
    void writeBack(const Child& child);
    const Child* childOf(const QObject* sub) const;

    Game& game_;
    QWidget* central_;
    QMdiArea* area_;
    WindowView* panel_;
    std::vector<Child> children_;
    Stage stage_;
    std::optional<unsigned> revision_;
    int depth_ = 0;
    bool syncing_ = false;
    bool stopped_ = false;
};
