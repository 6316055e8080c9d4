#include "app/game_host.h"

#include "shell/game.h"

namespace {

// The frame, caption and menu bar around the client area, as the game counts the main window.
constexpr double kFrameWidth = 120;
constexpr double kFrameHeight = 510;

} // namespace

void GameHost::deliver(const std::function<void()>& step) {
    if (stopped_ || busy())
        return;
    if (inputArriving)
        inputArriving();
    if (stopped_)
        return;
    ++depth_;
    step();
    --depth_;
    sync();
    if (inputDelivered)
        inputDelivered();
}

void GameHost::keyDown(int keyCode, int charCode) {
    deliver([&] { game_.keyDown(keyCode, charCode); });
}

void GameHost::pressOn(ui::Window& window, ui::Label* label) {
    if (&window != &game_.mainWindow() && &window != game_.scene().active())
        game_.bringToFront(window);
    if (label)
        game_.click(*label);
}

void GameHost::advance(std::int64_t ms) {
    if (stopped_ || busy())
        return;
    ++depth_;
    game_.advance(ms);
    --depth_;
    sync();
}

void GameHost::areaResized(double width, double height) {
    MainWindow& main = game_.mainWindow();
    game_.placeWindow(main, {main.left(), main.top(), width + kFrameWidth, height + kFrameHeight});
    main.statusPanel.setWidth(width);
}

bool GameHost::mayClose() {
    if (stopped_ || !game_.boardWindow() || !askYesNo)
        return true;
    // Asked like a key is delivered: the clock catches up first and stands still while asking.
    bool yes = false;
    deliver([&] { yes = askYesNo(QStringLiteral("Abandon the game? Unsaved progress is lost.")); });
    return yes;
}
