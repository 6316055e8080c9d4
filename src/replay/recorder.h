#pragma once

#include "replay/recording.h"
#include "shell/game_watcher.h"

#include <optional>

class Game;
class RecordingPlatform;

// Writes down everything a game takes in, from the program's start: the inputs through the game,
// the answers through the recording platform. Each game (from a new game or a load to the next
// one, or to the end) is kept as a file of its own in the recordings folder, the newest 20 of
// them.
class Recorder : public GameWatcher {
  public:
    static constexpr int kKept = 20;

    // An empty folder keeps no files; write() still can.
    Recorder(Game& game, RecordingPlatform& platform, QString folder = {});
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // The recording so far, ending in the state the game stands in now.
    recording::Recording current() const;
    // Writes it to a file; false when it could not be written.
    bool write(const QString& path) const;

    bool starting() override;
    bool keyDown(int keyCode, int charCode) override;
    bool click(const ui::Label& label) override;
    bool bringToFront(const ui::Window& window) override;
    bool place(const ui::Window& window, const ui::Rect& rect) override;
    void gameStarting() override;
    void openingSavedGame() override;

  private:
    void add(const QString& kind, const QStringList& args);
    // An input: the state before it is the end of a game it may finish.
    bool input(const QString& kind, const QStringList& args);
    int windowIndex(const ui::Window& window) const;
    void keep(const recording::Recording& finished) const;

    Game& game_;
    QString folder_;
    recording::Recording recording_;
    std::size_t inputAt_ = 0;
    recording::EndState beforeInput_;
    std::optional<std::size_t> gameAt_;
};
