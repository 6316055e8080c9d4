#pragma once

#include "shell/hall_of_fame.h"
#include "ui/control.h"
#include "ui/window.h"

#include <array>

class Game;

// "Hall of Fame": the ten best games of all time, or of today's challenge, the most recent game
// highlighted. Left and Right (or A and T) switch the tables; Escape or F closes it.
class HallOfFameWindow : public ui::Window {
  public:
    explicit HallOfFameWindow(Game& game);

    void onLoad() override;
    void onKeyDown(int keyCode) override;

    // Whether today's table is shown rather than the one of all time.
    bool showsToday() const { return todayTab.look().opaque; }
    // Whether the label changes with the table shown: the shown table's name or a row.
    bool showsTable(const ui::Label& label) const;

    ui::Label title, allTimeTab, todayTab, header;
    std::array<ui::Label, HallOfFame::kShown> rows;
    ui::Label notice, hint;

  private:
    void show(bool today);

    Game& game_;
};
