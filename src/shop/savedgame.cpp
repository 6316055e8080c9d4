#include "shop/savedgame.h"

#include "board/form2.h"
#include "shell/mdiform1.h"
#include "ui/platform.h"

namespace savedgame {

std::optional<savefile::Fields> open(ui::Platform& platform) {
    const savefile::ReadResult saved = savefile::read(savefile::path(platform));
    if (saved.fields[0].isEmpty()) {
        platform.messageBox(QStringLiteral("No saved game"));
        return std::nullopt;
    }
    if (saved.damaged) {
        platform.messageBox(QStringLiteral("The saved game is damaged."));
        return std::nullopt;
    }
    return saved.fields;
}

std::array<ui::Label*, 8> stats(MDIForm1& status) {
    return {&status.Liv,  &status.Energy, &status.Armor, &status.Gold,
            &status.Hits, &status.Food,   &status.Serum, &status.Tempo};
}

void restoreStats(MDIForm1& status, const savefile::Fields& fields) {
    const auto fieldsOfStats = stats(status);
    for (size_t i = 0; i < fieldsOfStats.size(); ++i)
        fieldsOfStats[i]->setText(fields[i]);
}

void restoreGeometry(Form2& board, const savefile::Fields& fields) {
    if (const auto top = savefile::coordinate(fields[8]))
        board.Pic.setTop(*top);
    if (const auto left = savefile::coordinate(fields[9]))
        board.Pic.setLeft(*left);
    if (const auto width = savefile::coordinate(fields[10]))
        board.Pic.setWidth(*width);
    if (const auto height = savefile::coordinate(fields[11]))
        board.Pic.setHeight(*height);
}

void revive(Form2& board) {
    // A board the closing wall has narrowed (or a hand-edited one) may have no room left for the
    // player at its middle and one step: it gets the size of the smallest laid-out board back.
    if (board.Pic.width() < 2 * (board.Mio.width() + Form2::kStep))
        board.Pic.setWidth(Form2::kNarrowestBoard);
    if (board.Pic.height() < 2 * (board.Mio.height() + Form2::kStep))
        board.Pic.setHeight(Form2::kLowestBoard);
    board.GameOver.setText({});
    board.Mio.setVisible(true);
    board.Mio2.setVisible(true);
    board.Mio.setTop(board.Pic.height() / 2);
    board.Mio.setLeft(board.Pic.width() / 2);
}

} // namespace savedgame
