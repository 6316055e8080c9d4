#include "save/saved_game.h"

#include "board/board_window.h"
#include "save/save_place.h"
#include "shell/main_window.h"
#include "ui/number.h"
#include "ui/platform.h"

namespace savedgame {

namespace {

// The status fields a saved game keeps as they stand.
struct Field {
    QString SavedGame::*saved;
    ui::Label MainWindow::*status;
};
constexpr Field kFields[] = {
    {&SavedGame::level, &MainWindow::level},
    {&SavedGame::energy, &MainWindow::energy},
    {&SavedGame::armor, &MainWindow::armor},
    {&SavedGame::gold, &MainWindow::gold},
    {&SavedGame::hits, &MainWindow::hits},
    {&SavedGame::food, &MainWindow::food},
    {&SavedGame::serum, &MainWindow::serum},
    {&SavedGame::timeLeft, &MainWindow::timeLeft},
    {&SavedGame::playerName, &MainWindow::playerName},
    {&SavedGame::continues, &MainWindow::continues},
};

// The board's sides, each with its line of the saved game.
struct Side {
    QString SavedGame::*saved;
    double (ui::Control::*get)() const;
    void (ui::Control::*set)(double);
};
constexpr Side kSides[] = {
    {&SavedGame::boardTop, &ui::Control::top, &ui::Control::setTop},
    {&SavedGame::boardLeft, &ui::Control::left, &ui::Control::setLeft},
    {&SavedGame::boardWidth, &ui::Control::width, &ui::Control::setWidth},
    {&SavedGame::boardHeight, &ui::Control::height, &ui::Control::setHeight},
};

} // namespace

std::optional<SavedGame> open(ui::Platform& platform) {
    const savefile::ReadResult saved = savefile::read(savefile::loadPath(platform));
    if (saved.game.level.isEmpty()) {
        platform.messageBox(QStringLiteral("No saved game"));
        return std::nullopt;
    }
    if (saved.damaged) {
        platform.messageBox(QStringLiteral("The saved game is damaged."));
        return std::nullopt;
    }
    return saved.game;
}

bool save(const ui::Platform& platform, const SavedGame& game) {
    return savefile::write(savefile::savePath(platform), game);
}

SavedGame capture(const MainWindow& status, const BoardWindow* boardWindow,
                  const std::optional<ui::GameSeed>& seed) {
    SavedGame game;
    for (const Field& field : kFields)
        game.*field.saved = (status.*field.status).text();
    if (boardWindow)
        for (const Side& side : kSides)
            game.*side.saved = ui::numberText((boardWindow->board.*side.get)());
    game.rope = status.hasRope();
    game.seed = seed;
    return game;
}

void restoreStatus(MainWindow& status, const SavedGame& game) {
    for (const Field& field : kFields)
        (status.*field.status).setText(game.*field.saved);
    status.setRope(game.rope);
}

void restoreBoard(BoardWindow& boardWindow, const SavedGame& game) {
    for (const Side& side : kSides)
        if (const auto value = savefile::coordinate(game.*side.saved))
            (boardWindow.board.*side.set)(*value);
}

} // namespace savedgame
