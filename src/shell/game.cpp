#include "shell/game.h"

#include "board/form2.h"
#include "shell/form1.h"
#include "shell/form4.h"
#include "shell/form5.h"
#include "shop/form3.h"

Game::Game(ui::Platform& platform) : platform_(platform), main_(std::make_unique<MDIForm1>(*this)) {
    clock_.afterTick = [this] { scene_.collect(); };
}

Game::~Game() = default;

Form1* Game::menu() const {
    return scene_.find<Form1>();
}
Form2* Game::board() const {
    return scene_.find<Form2>();
}
Form3* Game::shop() const {
    return scene_.find<Form3>();
}
Form4* Game::finale() const {
    return scene_.find<Form4>();
}
Form5* Game::gameOver() const {
    return scene_.find<Form5>();
}

template <class T> T& Game::open() {
    T& window = scene_.open<T>(*this);
    window.Form_Load();
    return window;
}

Form1& Game::openMenu() {
    return open<Form1>();
}
Form2& Game::openBoard() {
    return open<Form2>();
}
Form4& Game::openFinale() {
    return open<Form4>();
}
Form5& Game::openGameOver() {
    return open<Form5>();
}

Form3& Game::openShop() {
    if (Form3* open = shop()) {
        scene_.bringToFront(*open);
        return *open;
    }
    return open<Form3>();
}

void Game::close(ui::Window& window) {
    scene_.close(window);
}

void Game::startNewGame() {
    if (Form2* open = board())
        close(*open);
    openBoard();
    main_->setStartingValues();
    main_->Liv.setText(QStringLiteral("1"));
}

void Game::start() {
    main_->Form_Load();
}

void Game::keyDown(int keyCode, int charCode) {
    scene_.keyDown(keyCode, charCode);
}

void Game::click(ui::Label& label) {
    ui::Window* owner = label.owner();
    if (!owner || owner->closed() || !owner->enabled() || !label.visible() || !label.onClick)
        return;
    // A label on a hidden board (the status panel between games) cannot be clicked.
    if (const ui::Board* board = label.parentBoard(); board && !board->visible())
        return;
    label.onClick();
    scene_.collect();
}
