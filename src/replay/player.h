#pragma once

#include "replay/recording.h"
#include "shell/game_watcher.h"

#include <optional>

class Game;
class ReplayPlatform;

// Plays a recording into a fresh game, brought first into the state the recorded game began in:
// each input at its time on the game clock, the answers through the replay platform. While it
// plays, no other input reaches the game.
class Player : public GameWatcher {
  public:
    Player(Game& game, ReplayPlatform& platform, recording::Recording recording);
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Plays every input due by `time` and lets the game clock reach it, the end at most.
    void playUntil(std::int64_t time);
    void playToEnd() { playUntil(endTime()); }
    bool finished() const;
    // Where the recorded game begins and ends on the game clock: its end line, or the last event
    // of a recording whose program died.
    std::int64_t gameStart() const { return recording_.startTime; }
    std::int64_t endTime() const;

    // Once finished: the first place the replay went another way than the recording, naming the
    // line, or nothing when it ended in the recorded state.
    std::optional<QString> fault() const;
    // Once finished: the fault, "replay matches", or where a recording whose program died ends;
    // and the exit code that goes with it (1, 0, 3).
    QString verdict() const;
    int exitCode() const;

    bool starting() override { return playing_; }
    bool keyDown(int, int) override { return playing_; }
    bool click(const ui::Label&) override { return playing_; }
    bool bringToFront(const ui::Window&) override { return playing_; }
    bool place(const ui::Window&, const ui::Rect&) override { return playing_; }
    void gameStarting() override {}
    void openingSavedGame() override;

  private:
    void play(const recording::Event& event);
    ui::Window* windowAt(int index) const;
    ui::Label* labelAt(const QStringList& path) const;

    Game& game_;
    ReplayPlatform& platform_;
    recording::Recording recording_;
    std::size_t next_ = 0;
    bool playing_ = false;
    std::optional<QString> fault_;
};
