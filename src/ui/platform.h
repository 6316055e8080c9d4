#pragma once

#include "ui/game_seed.h"
#include "ui/random_source.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace ui {

// What the game asks of the desktop it runs on. The Qt front end answers with real dialogs; the
// tests answer from a script.
class Platform {
  public:
    virtual ~Platform() = default;

    // Modal input box; returns the typed text, empty when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& proposed) = 0;
    // Modal message box with the information icon and OK, captioned with the game's title.
    virtual void messageBox(const QString& text) = 0;
    // Hands the address to the user's browser; false when that failed.
    virtual bool openAddress(const QString& url) = 0;
    // Ends the program at once; nothing is saved.
    virtual void exitNow() = 0;
    // Size of the area the child windows live in.
    virtual double screenWidth() const = 0;
    virtual double screenHeight() const = 0;
    // Folder of the executable, and the user's own data folder for this game.
    virtual QString programFolder() const = 0;
    virtual QString dataFolder() const = 0;
    // Seconds since midnight, and today's date as yyyy-MM-dd.
    virtual double timeOfDay() const = 0;
    virtual QString today() const;
    // The day of the daily challenge under way: today's date in UTC, as yyyy-MM-dd.
    virtual QString challengeDay() const;
    // Uniform in [0, 1); a source that rounds up to 1 now and then does no harm to a draw. The
    // game's own generator unless a platform answers otherwise.
    virtual double random() { return random_.next(); }
    // Seeds the generator anew for what comes next: from the game's seed and its reseeds of this
    // kind so far, or, in a game saved without a seed, from the millisecond of the day.
    virtual void reseedFor(Reseed kind);

    // The seed new games of this program begin from (--seed, --daily), or none for a seed of
    // their own from the clock. With once, only the next new game begins from it. The generator
    // starts afresh from it, or from the clock.
    void setProgramSeed(const std::optional<GameSeed>& seed, bool once = false);
    // The seed of the game in play, with its reseeds so far: a new game's is the program's or one
    // from the clock, a loaded game's the one it was saved with, if any.
    const std::optional<GameSeed>& gameSeed() const { return gameSeed_; }
    void setGameSeed(const std::optional<GameSeed>& seed);
    // The game seed is the one drawn from the clock for the program's first game, which has not
    // begun.
    bool seedAwaitsFirstGame() const { return firstGameSeed_; }
    // A new game begins: from the program's seed or a new one, no reseed made yet.
    void startGameSeed();

    void reseed(std::uint32_t seed) { random_.reseed(seed); }
    // The seed the generator last took.
    std::uint32_t seed() const { return random_.seed(); }
    // The generator's state as the seed and the outputs since, and back.
    std::uint64_t randomOutputs() const { return random_.outputs(); }
    void restoreRandom(std::uint32_t seed, std::uint64_t outputs) {
        random_.restore(seed, outputs);
    }

  private:
    // The millisecond of the day.
    std::uint32_t clockSeed() const;

    RandomSource random_;
    std::optional<GameSeed> programSeed_;
    bool programSeedOnce_ = false;
    std::optional<GameSeed> gameSeed_;
    bool firstGameSeed_ = false; // gameSeed_ waits for the program's first game
};

// The game's one random draw: a whole number from 1 to n, floor(u * n) + 1.
int draw(Platform& platform, double n);

} // namespace ui
