#pragma once

#include "replay/journal.h"
#include "replay/recording.h"
#include "replay/recordings_folder.h"
#include "shell/game_watcher.h"

class Game;
class RecordingPlatform;

// Writes down everything a game takes in as it goes: the inputs through the game, the answers
// through the recording platform, each line appended to the game's file in the recordings folder
// at once. The first game goes on from the program's start; each later one (a new game or a load)
// gets a file of its own that begins with the windows and the generator as it found them, so
// nothing is kept in memory however long the program runs. A file whose program died is named as
// such at the next start.
class Recorder : public GameWatcher {
  public:
    static constexpr int kKept = recordings::kKept;

    Recorder(Game& game, RecordingPlatform& platform, QString folder);
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // The program ends: the game under way gets its end line, and nothing more is recorded.
    void finish();
    // The file the game under way is written to; empty when games are not being recorded.
    QString path() const { return journal_.path(); }

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
    // A new file that begins with the header; false (no file, and the notice) when none can be
    // written.
    bool begin(const QByteArray& header);
    void append(const QByteArray& bytes);
    // The game under way ends here in the state the game stands in.
    void end();
    void add(const QString& kind, const QStringList& args);
    bool input(const QString& kind, const QStringList& args);
    int windowIndex(const ui::Window& window) const;
    QByteArray sofar() const;

    Game& game_;
    RecordingPlatform& platform_;
    QString folder_;
    Journal journal_;
    qint64 inputAt_ = 0; // where the lines of the input being handled begin
    bool gameBegun_ = false;
    bool failed_ = false, told_ = false;
};
