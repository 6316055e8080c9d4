#include "desktop/desktop_window.h"

#include "desktop/accessible_announcer.h"
#include "desktop/accessible_view.h"
#include "desktop/key_map.h"
#include "desktop/window_view.h"
#include "desktop/zoomed_frame.h"
#include "shell/game.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>

namespace {

// A caption without buttons: the game closes its windows itself.
Qt::WindowFlags flagsFor(const ui::Window& window) {
    if (!window.titleBar())
        return Qt::SubWindow | Qt::FramelessWindowHint;
    return Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

} // namespace

// The finale's picture and the game's icon live in the front end's resources.
static void loadResources() {
    Q_INIT_RESOURCE(resources);
}

static QIcon gameIcon() {
    QIcon icon;
    for (const char* size : {"48", "256"})
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(QLatin1String(size)));
    return icon;
}

DesktopWindow::DesktopWindow(Game& game)
    : GameHost(game), game_(game), central_(new QWidget(this)), area_(new QMdiArea(central_)),
      panel_(new WindowView(game, game.mainWindow(), central_)),
      announcer_(new Announcer(central_)) {
    loadResources();
    makeViewsAccessible();
    setWindowTitle(game.mainWindow().caption());
    setWindowIcon(gameIcon());
    area_->setBackground(Qt::black);
    panel_->hide();
    panel_->onPress = [this](QPointF point) { press(*panel_, point); };
    // Black around the zoomed design.
    QPalette black;
    black.setColor(QPalette::Window, Qt::black);
    central_->setPalette(black);
    central_->setAutoFillBackground(true);
    setCentralWidget(central_);
    central_->setMinimumSize(Stage::smallestClient());
    resize(Zoom::kDesign);
    connect(area_, &QMdiArea::subWindowActivated, this, &DesktopWindow::subWindowActivated);
    // A screen reader that comes late hears where the game stands.
    connect(announcer_, &Announcer::listening, this, &DesktopWindow::announceFrontSoon);
    // Keys reach the game whichever widget has the focus.
    qApp->installEventFilter(this);
}

DesktopWindow::~DesktopWindow() {
    // The sub-windows go after this point; their goings are no news for the game.
    qApp->removeEventFilter(this);
    disconnect(area_, nullptr, this, nullptr);
}

QMdiSubWindow* DesktopWindow::subWindowOf(const ui::Window& window) const {
    const auto found = std::ranges::find(children_, &window, &Child::window);
    return found != children_.end() ? found->sub : nullptr;
}

WindowView* DesktopWindow::viewOf(const ui::Window& window) const {
    const auto found = std::ranges::find(children_, &window, &Child::window);
    return found != children_.end() ? found->view : nullptr;
}

const DesktopWindow::Child* DesktopWindow::childOf(const QObject* sub) const {
    const auto found = std::ranges::find(children_, sub, &Child::sub);
    return found != children_.end() ? &*found : nullptr;
}

void DesktopWindow::press(WindowView& view, std::optional<QPointF> point) {
    deliver([&] {
        if (ui::Window* window = view.sceneWindow())
            pressOn(*window, point ? view.labelAt(*point) : nullptr);
    });
}

void DesktopWindow::subWindowActivated(QMdiSubWindow* sub) {
    // The player picked a window (a press on its caption, Ctrl+Tab): it comes to the front. The
    // game's own changes of the front window arrive through sync.
    if (!sub || syncing_ || busy() || QApplication::activeModalWidget())
        return;
    if (const Child* child = childOf(sub))
        press(*child->view, std::nullopt);
}

void DesktopWindow::sync() {
    if (syncing_)
        return;
    syncing_ = true;
    const bool reordered = revision_ != game_.scene().revision();
    revision_ = game_.scene().revision();
    if (reordered)
        openChildren();
    Announcement news;
    for (const Child& child : children_) {
        if (child.window->dirty())
            place(child);
        child.view->updateAreas(child.window->changedAreas());
        child.window->clearDirty();
        refreshAccessible(*child.view, news);
    }
    // Restacked once placed: a window enabled again can become the active one.
    if (reordered)
        restack();
    MainWindow& main = game_.mainWindow();
    const bool shown = main.statusPanel.visible();
    if (panel_->isHidden() == shown) {
        panel_->setVisible(shown);
        layOut();
    }
    panel_->updateAreas(main.changedAreas());
    main.clearDirty();
    refreshAccessible(*panel_, news);
    showSeed();
    // Said once all is in place: after the screen reader has heard of the window in front.
    announcer_->say(news);
    syncing_ = false;
}

void DesktopWindow::showSeed() {
    if (const std::optional<QString> title = seedTitle_.update(game_))
        setWindowTitle(*title);
}

void DesktopWindow::announceFrontSoon() {
    if (isActiveWindow())
        QTimer::singleShot(0, this, &DesktopWindow::announceFront);
}

void DesktopWindow::announceFront() {
    if (children_.empty())
        return;
    Announcement front;
    addAccessibleLines(*children_.back().view, front);
    announcer_->say(front);
}

void DesktopWindow::openChildren() {
    const std::vector<ui::Window*> open = game_.scene().windows();
    // The sub-windows of closed windows go; they are freed once the event that closed them is
    // over, as a click on one of them may still be on its way back.
    for (auto it = children_.begin(); it != children_.end();) {
        if (std::ranges::find(open, it->window) != open.end()) {
            ++it;
            continue;
        }
        it->sub->hide();
        area_->removeSubWindow(it->sub);
        it->sub->setParent(this);
        it->sub->deleteLater();
        it = children_.erase(it);
    }
    std::vector<Child> ordered;
    for (ui::Window* window : open) {
        const auto found = std::ranges::find(children_, window, &Child::window);
        if (found != children_.end()) {
            ordered.push_back(*found);
            continue;
        }
        auto* view = new WindowView(game_, *window);
        view->onPress = [this, view](QPointF point) { press(*view, point); };
        view->setZoom(stage_.zoom);
        auto* sub = new QMdiSubWindow;
        sub->setWidget(view);
        sub->setSystemMenu(nullptr);
        zoomFrame(*sub, stage_.zoom);
        area_->addSubWindow(sub, flagsFor(*window));
        ordered.push_back({window, sub, view});
        place(ordered.back());
        window->clearDirty();
        sub->show();
    }
    children_ = std::move(ordered);
}

void DesktopWindow::restack() {
    // Bottom first, like the scene; the window in front is the active one.
    for (const Child& child : children_)
        child.sub->raise();
    if (!children_.empty())
        area_->setActiveSubWindow(children_.back().sub);
}

void DesktopWindow::place(const Child& child) {
    const ui::Window& window = *child.window;
    child.sub->setWindowTitle(window.caption());
    child.sub->setGeometry(stage_.zoom.wholePixels(window.rect()));
    child.sub->setEnabled(window.enabled());
    child.view->update();
}

void DesktopWindow::writeBack(const Child& child) {
    ui::Window* window = child.view->sceneWindow();
    if (!window || stopped())
        return;
    // A side the pixels still agree on keeps its twips.
    const Zoom& zoom = stage_.zoom;
    const QRect shown = child.sub->geometry();
    const QRect scene = zoom.wholePixels(window->rect());
    ui::Rect placed = window->rect();
    if (shown.x() != scene.x())
        placed.left = zoom.twips(shown.x());
    if (shown.y() != scene.y())
        placed.top = zoom.twips(shown.y());
    if (shown.width() != scene.width())
        placed.width = zoom.twips(shown.width());
    if (shown.height() != scene.height())
        placed.height = zoom.twips(shown.height());
    game_.placeWindow(*window, placed);
}

void DesktopWindow::layOut() {
    // The game keeps its sizes: only the zoom changes, and the children follow it unasked.
    const Stage stage = Stage::fitting(central_->size(), !panel_->isHidden());
    const bool rezoomed = stage.zoom != stage_.zoom;
    stage_ = stage;
    area_->setGeometry(stage.area);
    panel_->setGeometry(stage.panel);
    if (!rezoomed)
        return;
    panel_->setZoom(stage.zoom);
    const bool wasSyncing = std::exchange(syncing_, true);
    for (const Child& child : children_) {
        zoomFrame(*child.sub, stage.zoom);
        child.view->setZoom(stage.zoom);
        place(child);
    }
    syncing_ = wasSyncing;
}

bool DesktopWindow::keyEvent(QObject* watched, const QKeyEvent& event) {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)) || QApplication::activeModalWidget())
        return false;
    // The screen reader's keys stay its own even when it is too slow to take them first.
    if (screenReaderListens() &&
        screenReaderKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier)))
        return true;
    // Ctrl+Tab and Ctrl+Shift+Tab stay with the area: they pick the next window.
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    if (tab && event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    if (event.key() == Qt::Key_F11) {
        if (!event.isAutoRepeat())
            setWindowState(windowState() ^ Qt::WindowFullScreen);
        return true;
    }
    const auto stroke =
        keyStroke(event.key(), event.modifiers().testFlag(Qt::KeypadModifier), event.text());
    if (!stroke)
        return false;
    keyDown(stroke->keyCode, stroke->charCode);
    return true;
}

bool DesktopWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyEvent(watched, *static_cast<QKeyEvent*>(event));
    case QEvent::Resize:
    case QEvent::Move:
        if (watched == central_ && event->type() == QEvent::Resize)
            layOut();
        else if (const Child* child = childOf(watched); child && !syncing_)
            writeBack(*child);
        break;
    case QEvent::Close:
        if (childOf(watched)) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void DesktopWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    sync();
}

void DesktopWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    stop();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void DesktopWindow::stop() {
    GameHost::stop();
    hide();
}

bool DesktopWindow::dialogOpen() const {
    return QApplication::activeModalWidget() != nullptr;
}

void DesktopWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        announceFrontSoon();
    if (event->type() != QEvent::WindowStateChange || isMinimized() == minimized_)
        return;
    minimized_ = isMinimized();
    if (hiddenChanged)
        hiddenChanged(minimized_);
}
