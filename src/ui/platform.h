#pragma once

#include "ui/random_source.h"

#include <QString>
#include <cstdint>

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
    // Uniform in [0, 1); a source that rounds up to 1 now and then does no harm to a draw. The
    // game's own generator unless a platform answers otherwise.
    virtual double random() { return random_.next(); }
    // Seeds the generator with the millisecond of the day.
    virtual void reseedFromTime();

    void reseed(std::uint32_t seed) { random_.reseed(seed); }
    // The seed the generator last took.
    std::uint32_t seed() const { return random_.seed(); }
    // The generator's state as the seed and the outputs since, and back.
    std::uint64_t randomOutputs() const { return random_.outputs(); }
    void restoreRandom(std::uint32_t seed, std::uint64_t outputs) {
        random_.restore(seed, outputs);
    }

  private:
    RandomSource random_;
};

// The game's one random draw: a whole number from 1 to n, floor(u * n) + 1.
int draw(Platform& platform, double n);

} // namespace ui
