// Feeds arbitrary bytes to the save-file reader: it must neither crash nor accept what the game
// cannot use.
#include "save/save_file.h"
#include "ui/number.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const savefile::ReadResult result = savefile::parse(bytes);
    if (result.damaged)
        return 0;
    // An accepted file holds numbers (or nothing) wherever the game reads one.
    const SavedGame& game = result.game;
    for (const QString* field : {&game.level, &game.energy, &game.armor, &game.gold, &game.hits,
                                 &game.food, &game.serum, &game.timeLeft, &game.continues})
        if (!field->isEmpty() && !ui::readNumber(*field))
            std::abort();
    for (const QString* field :
         {&game.boardTop, &game.boardLeft, &game.boardWidth, &game.boardHeight})
        if (!field->isEmpty() && !savefile::coordinate(*field))
            std::abort();
    return 0;
}
