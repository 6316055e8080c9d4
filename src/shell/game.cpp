#include "shell/game.h"

#include "board/board_window.h"
#include "save/saved_game.h"
#include "shell/finale_window.h"
#include "shell/game_over_window.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"
#include "ui/flag.h"
#include "ui/stat.h"

#include <QDir>

Game::Game(ui::Platform& platform)
    : platform_(platform), main_(std::make_unique<MainWindow>(*this)) {
    clock_.afterTick = [this] {
        scene_.collect();
        tellLostEntry();
    };
}

Game::~Game() = default;

MenuWindow* Game::menu() const {
    return scene_.find<MenuWindow>();
}
BoardWindow* Game::boardWindow() const {
    return scene_.find<BoardWindow>();
}
ShopWindow* Game::shop() const {
    return scene_.find<ShopWindow>();
}
FinaleWindow* Game::finale() const {
    return scene_.find<FinaleWindow>();
}
GameOverWindow* Game::gameOverWindow() const {
    return scene_.find<GameOverWindow>();
}
HallOfFameWindow* Game::hallOfFameWindow() const {
    return scene_.find<HallOfFameWindow>();
}

template <class T> T& Game::open() {
    T& window = scene_.open<T>(*this);
    window.onLoad();
    return window;
}

MenuWindow& Game::openMenu() {
    return open<MenuWindow>();
}
BoardWindow& Game::openBoard() {
    return open<BoardWindow>();
}
FinaleWindow& Game::openFinale() {
    return open<FinaleWindow>();
}
GameOverWindow& Game::openGameOver() {
    return open<GameOverWindow>();
}

ShopWindow& Game::openShop() {
    if (ShopWindow* open = shop()) {
        scene_.bringToFront(*open);
        return *open;
    }
    return open<ShopWindow>();
}

void Game::placeInMiddle(ui::Window& window) const {
    window.setTop((platform_.screenHeight() - window.height()) / 2.5);
    window.setLeft((platform_.screenWidth() - window.width()) / 2);
}

void Game::close(ui::Window& window) {
    scene_.close(window);
}

void Game::startNewGame() {
    platform_.startGameSeed();
    if (watcher_)
        watcher_->gameStarting();
    if (BoardWindow* open = boardWindow())
        close(*open);
    openBoard();
    main_->setStartingValues();
    ui::Stat(main_->level).set(1);
    beginGame();
}

HallOfFameWindow& Game::openHallOfFame() {
    if (HallOfFameWindow* open = hallOfFameWindow()) {
        scene_.bringToFront(*open);
        return *open;
    }
    return open<HallOfFameWindow>();
}

HallOfFame& Game::hallOfFame() {
    // With no data folder the table is kept for this run only.
    const QString folder = platform_.dataFolder();
    if (!hallOfFame_)
        hallOfFame_.emplace(
            folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("halloffame.txt")));
    return *hallOfFame_;
}

void Game::beginGame() {
    hallOfFame().beginGame();
}

std::optional<SavedGame> Game::loadSavedGame() {
    if (watcher_)
        watcher_->openingSavedGame();
    std::optional<SavedGame> saved = savedgame::open(platform_);
    if (!saved)
        return std::nullopt;
    platform_.setGameSeed(saved->seed);
    if (watcher_)
        watcher_->gameStarting();
    savedgame::restoreStatus(*main_, *saved);
    beginGame();
    main_->countdown.setEnabled(true);
    return saved;
}

void Game::enterHallOfFame(Ending ending) {
    hallOfFame().gameEnded(main_->playerName.text(), ui::Stat(main_->level).value().value_or(0),
                           ending, platform_.today(), platform_.gameSeed());
}

void Game::tellLostEntry() {
    if (hallOfFame_ && hallOfFame_->takeLostEntry())
        platform_.messageBox(
            QStringLiteral("This game could not be entered in the hall of fame: %1 cannot be "
                           "written.")
                .arg(hallOfFame_->place()));
}

void Game::loseGame(const QString& message, Ending ending) {
    main_->setMessage(message);
    ui::Stat(main_->energy).set(0);
    main_->countdown.setEnabled(false);
    if (BoardWindow* open = boardWindow()) {
        ui::Flag(open->gameOver).set();
        open->player.setVisible(false);
        open->closingWall.setEnabled(false);
    }
    enterHallOfFame(ending);
}

void Game::start() {
    if (watcher_ && !watcher_->starting())
        return;
    main_->onLoad();
}

void Game::keyDown(int keyCode, int charCode) {
    if (watcher_ && !watcher_->keyDown(keyCode, charCode))
        return;
    scene_.keyDown(keyCode, charCode);
    tellLostEntry();
}

void Game::bringToFront(ui::Window& window) {
    if (watcher_ && !watcher_->bringToFront(window))
        return;
    scene_.bringToFront(window);
}

void Game::placeWindow(ui::Window& window, const ui::Rect& rect) {
    if (watcher_ && !watcher_->place(window, rect))
        return;
    // Only the sides that moved: a side set to what it holds would still repaint the window.
    if (rect.left != window.left())
        window.setLeft(rect.left);
    if (rect.top != window.top())
        window.setTop(rect.top);
    if (rect.width != window.width())
        window.setWidth(rect.width);
    if (rect.height != window.height())
        window.setHeight(rect.height);
}

void Game::click(ui::Label& label) {
    ui::Window* owner = label.owner();
    if (!owner || owner->closed() || !owner->enabled() || !label.visible() || !label.onClick)
        return;
    // A label on a hidden board (the status panel between games) cannot be clicked.
    if (const ui::Board* boardWindow = label.parentBoard(); boardWindow && !boardWindow->visible())
        return;
    if (watcher_ && !watcher_->click(label))
        return;
    label.onClick();
    scene_.collect();
    tellLostEntry();
}
