#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class Game;

// The title a front end gives its window or terminal: the main window's caption, with the game's
// seed where the game has one, for the player to read and copy ("Vexmoor — seed 777").
class SeedTitle {
  public:
    // Whether the title may use a dash beyond ASCII.
    explicit SeedTitle(bool unicode) : unicode_(unicode) {}

    // The title to show now, or nothing when it stands as it was (at first, a game without a
    // seed leaves the title as the front end has it).
    std::optional<QString> update(Game& game);

  private:
    bool unicode_;
    std::optional<std::uint32_t> seed_; // the seed the title last named
};
