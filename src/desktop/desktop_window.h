#pragma once

#include "app/game_host.h"
#include "app/seed_title.h"
#include "desktop/zoom.h"

#include <QMainWindow>
#include <cstdint>
#include <optional>
#include <vector>

class Announcer;
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
class DesktopWindow : public QMainWindow, public GameHost {
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

    // Shows the scene: sub-windows open, close and restack when windows did, and the windows that
    // changed are placed and repainted.
    void sync() override;
    // Hides the window too.
    void stop() override;
    // A modal dialog of the desktop's own (a file dialog, say) stops the clock too.
    bool dialogOpen() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Minimizing hides the game: its clock stands still until the window is restored. When the
    // window becomes the active one, a screen reader hears the front window's lines if unheard.
    void changeEvent(QEvent* event) override;

  private:
    struct Child {
        ui::Window* window;
        QMdiSubWindow* sub;
        WindowView* view;
    };

    bool keyEvent(QObject* watched, const QKeyEvent& event);
    // While the window is the active one: the front window's lines, if unheard, once the screen
    // reader has had its own word on the window and its focus.
    void announceFrontSoon();
    void announceFront();
    void press(WindowView& view, std::optional<QPointF> point);
    // The title bar: the game's caption, and the seed of a seeded game.
    void showSeed();
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
    Announcer* announcer_;
    std::vector<Child> children_;
    Stage stage_;
    std::optional<unsigned> revision_;
    SeedTitle seedTitle_{true};
    bool syncing_ = false;
    bool minimized_ = false;
};
