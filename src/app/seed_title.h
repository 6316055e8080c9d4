#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

class Game;

// The title a front end gives its window or terminal: the main window's caption, with the game's
// seed where the game has one, for the player to read and copy ("Vexmoor — seed 777").
class SeedTitle {
  public:
    // Whether the title may use a dash beyond ASCII. With hideChallenge, a daily challenge whose
    // day is not over is named instead of numbered ("Vexmoor — today's challenge"): the server
    // keeps that seed from its players until the day is over.
    explicit SeedTitle(bool unicode, bool hideChallenge = false)
        : unicode_(unicode), hideChallenge_(hideChallenge) {}

    // The title to show now, or nothing when it stands as it was (at first, a game without a
    // seed leaves the title as the front end has it).
    std::optional<QString> update(Game& game);

  private:
    bool unicode_;
    bool hideChallenge_;
    // The seed and the day the title last named.
    std::optional<std::pair<std::uint32_t, QString>> named_;
};
