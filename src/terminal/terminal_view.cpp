#include "terminal/terminal_view.h"

#include "shell/game.h"
#include "terminal/dialog.h"
#include "terminal/screen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <unistd.h>
#include <utility>

namespace {

// The map of a terminal, or of the least one the game plays on while it is smaller.
CellMap mapOf(const Screen& screen) {
    return *CellMap::of(std::max(screen.columns(), CellMap::kMinimumColumns),
                        std::max(screen.rows(), CellMap::kMinimumRows));
}

} // namespace

TerminalView::TerminalView(Game& game, Screen& screen)
    : GameHost(game), game_(game), screen_(screen), scene_(game, mapOf(screen)),
      keys_(STDIN_FILENO, QSocketNotifier::Read),
      notices_(screen.noticeSource(), QSocketNotifier::Read) {
    QObject::connect(&keys_, &QSocketNotifier::activated, &keys_, [this] { readInput(); });
    QObject::connect(&notices_, &QSocketNotifier::activated, &notices_, [this] { noticed(); });
}

void TerminalView::start() {
    areaResized(scene_.map().width(), scene_.map().height());
    game_.start();
    tooSmall_ = !fits();
    if (tooSmall_ && hiddenChanged)
        hiddenChanged(true);
    sync();
    repaint();
}

bool TerminalView::fits() const {
    return CellMap::of(screen_.columns(), screen_.rows()).has_value();
}

double TerminalView::areaWidth() const {
    return scene_.map().width();
}

double TerminalView::areaHeight() const {
    const CellMap& map = scene_.map();
    const int panel = game_.mainWindow().statusPanel.visible() ? map.panelRows() : 0;
    return (map.rows() - panel) * map.cellHeight();
}

void TerminalView::readInput() {
    // One picture after all the input waiting: a paste of many keys is drawn once, not for each.
    const bool outerBatch = std::exchange(batching_, true);
    const bool answered = takeWaiting();
    batching_ = outerBatch;
    if (!batching_ && repaintHeld_)
        repaint();
    if (answered) {
        dialogLoop_->quit();
        return;
    }
    // A terminal that is gone, whether or not a hangup signal came with it, ends the program as
    // SIGHUP does, asking nothing.
    if (screen_.hungUp()) {
        stop();
        QCoreApplication::exit(0);
    }
}

bool TerminalView::takeWaiting() {
    while (const std::optional<TerminalInput> input = screen_.read()) {
        if (input->kind == TerminalInput::Kind::Suspend)
            suspend();
        else if (!dialog_)
            take(*input);
        else {
            answer(*input);
            // Keys typed after the answer are the game's.
            if (dialogAnswer_)
                return true;
        }
    }
    return false;
}

void TerminalView::answer(const TerminalInput& input) {
    if (input.kind == TerminalInput::Kind::Close)
        dialogAnswer_ = false;
    else if (input.kind == TerminalInput::Kind::Key && !tooSmall_)
        dialogAnswer_ = dialog_->key(input.stroke, input.typed);
    repaint();
}

void TerminalView::take(const TerminalInput& input) {
    switch (input.kind) {
    case TerminalInput::Kind::Close:
        if (mayClose()) {
            stop();
            QCoreApplication::quit();
        }
        break;
    case TerminalInput::Kind::Key:
        if (!tooSmall_)
            keyDown(input.stroke.keyCode, input.stroke.charCode);
        break;
    case TerminalInput::Kind::Click:
        if (!tooSmall_)
            click(input.column, input.row);
        break;
    case TerminalInput::Kind::Suspend: // taken before it reaches the game or a dialog
        break;
    }
}

void TerminalView::click(int column, int row) {
    deliver([&] {
        // Found once the clock caught up: a tick may have closed a window.
        const ScenePicture::Hit hit = scene_.hitAt(column, row);
        if (hit.window)
            pressOn(*hit.window, hit.label);
    });
}

void TerminalView::noticed() {
    const Screen::Notices notices = screen_.takeNotices();
    if (notices.stop)
        suspend();
    if (notices.resized)
        resized();
}

void TerminalView::suspend() {
    // Out of sight, the game's clock stands still, as for a minimized window.
    if (hiddenChanged)
        hiddenChanged(true);
    screen_.suspend();
    if (hiddenChanged)
        hiddenChanged(false);
    repaint();
}

void TerminalView::resized() {
    scene_.setMap(mapOf(screen_));
    // Too small, the game is out of sight: its clock stands still, as for a minimized window.
    if (tooSmall_ != !fits()) {
        tooSmall_ = !fits();
        if (hiddenChanged)
            hiddenChanged(tooSmall_);
    }
    resizePending_ = true;
    if (!busy())
        sync();
    repaint();
}

void TerminalView::sync() {
    if (resizePending_ && !busy()) {
        resizePending_ = false;
        areaResized(scene_.map().width(), scene_.map().height());
        keepWindowsInSight();
    }
    bool changed = revision_ != game_.scene().revision();
    revision_ = game_.scene().revision();
    std::vector<ui::Window*> windows = game_.scene().windows();
    windows.push_back(&game_.mainWindow());
    for (ui::Window* window : windows) {
        changed = changed || window->dirty() || !window->changedAreas().empty();
        window->clearDirty();
    }
    if (changed)
        repaint();
    showSeed();
}

void TerminalView::showSeed() {
    if (const std::optional<QString> title = seedTitle_.update(game_))
        screen_.setTitle(*title);
}

void TerminalView::keepWindowsInSight() {
    // A window placed in a larger terminal moves back in, as far as it fits: the main menu of a
    // wide terminal would otherwise stay out of sight of a narrow one.
    for (ui::Window* window : game_.scene().windows()) {
        const ui::Rect shown{
            std::max(0.0, std::min(window->left(), areaWidth() - window->width())),
            std::max(0.0, std::min(window->top(), areaHeight() - window->height())),
            window->width(), window->height()};
        if (shown.left != window->left() || shown.top != window->top())
            game_.placeWindow(*window, shown);
    }
}

void TerminalView::repaint() {
    repaintHeld_ = batching_;
    if (batching_)
        return;
    Picture picture(screen_.columns(), screen_.rows());
    if (tooSmall_) {
        picture.write(0, 0,
                      QStringLiteral("Vexmoor needs a terminal of at least %1 x %2;")
                          .arg(CellMap::kMinimumColumns)
                          .arg(CellMap::kMinimumRows),
                      0xC0C0C0);
        picture.write(0, 1,
                      QStringLiteral("this one is %1 x %2: please make it larger.")
                          .arg(screen_.columns())
                          .arg(screen_.rows()),
                      0xC0C0C0);
    } else {
        scene_.paint(picture);
        if (dialog_)
            dialog_->draw(picture);
    }
    screen_.show(picture);
}

bool TerminalView::runDialog(Dialog& dialog) {
    // The dialog shows at once, though a batch of keys opened it.
    const bool outerBatch = std::exchange(batching_, false);
    dialog_ = &dialog;
    dialogAnswer_.reset();
    repaint();
    // An event loop of its own, with the clock suspended: the keys reach the dialog, and a signal
    // or a lost terminal, which end every loop, end it unanswered.
    QEventLoop loop;
    dialogLoop_ = &loop;
    readInput(); // keys typed ahead wait in curses, where the terminal no longer signals them
    if (!dialogAnswer_)
        loop.exec();
    dialog_ = nullptr;
    dialogLoop_ = nullptr;
    batching_ = outerBatch;
    repaint();
    QTimer::singleShot(0, &keys_, [this] { readInput(); });
    return dialogAnswer_.value_or(false);
}
