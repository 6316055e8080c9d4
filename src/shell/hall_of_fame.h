#pragma once

#include <QString>
#include <future>
#include <optional>
#include <vector>

// How a game last ended.
enum class Ending { Ravine, Hole, OutOfTime, TooManyRequests, Finished };

// What the table shows of an ending: "fell into the ravine", "finished", ...
QString endingText(Ending ending);

// One game in the hall of fame.
struct FameEntry {
    QString name;
    int level = 0; // the highest level the game reached
    Ending ending = Ending::Ravine;
    int continuesUsed = 0;
    QString date; // yyyy-MM-dd of the last ending
    bool cheated = false;
    int serial = 0; // games are numbered in the order they were played
};

// The table of past games, kept in a small text file of the player's data folder. A game enters
// it when it first ends and each later ending of the same game (after a continue) updates its
// entry; a game the program closed in the middle is never entered. Copies of the game played at
// once each keep their games in the one file. The table is written in the background, so the turn
// that ends a game never waits for the disk; reading the table waits for the writes first. A
// table that cannot be read is never written over, so its games are not lost to the next one.
class HallOfFame {
  public:
    static constexpr int kShown = 10;

    // With no file path, the table is kept for this run only.
    explicit HallOfFame(QString filePath);
    ~HallOfFame();
    HallOfFame(const HallOfFame&) = delete;
    HallOfFame& operator=(const HallOfFame&) = delete;

    // A new game or a load: the endings from now on belong to a new entry.
    void beginGame();
    void continued();
    // A cheat code was used; the level it left counts as reached.
    void cheated(double levelLeft);
    // The running game ended: its entry is added or updated and the table written.
    void gameEnded(const QString& name, double level, Ending ending, const QString& date);
    // True once when the game that ended last could not be entered in the file, as soon as that
    // is known: at once when what stands in the table's place tells, else once the write is done.
    // Never waits for the disk.
    bool takeLostEntry();
    const QString& path() const { return path_; }

    // The best games by level (ties: the earlier date, then the earlier game first).
    std::vector<FameEntry> best();
    // The serial of the most recent game that entered the table, if any.
    std::optional<int> latest();
    // False when the table's file, as last looked at, stands there but cannot be read.
    bool readable() const { return readable_; }
    // A line to show once: the file was damaged and set aside.
    QString takeNotice();

  private:
    // What the running game has done so far.
    struct Tally {
        std::optional<int> serial; // once it has ended
        int continues = 0;
        bool cheated = false;
        double reached = 0;
    };
    // What a write of the table did.
    struct Written {
        int serial; // of the game entered
        bool saved;
    };
    // Reads the table again under the lock, so that the games another copy entered meanwhile are
    // kept and no two games get the same serial, then enters the game and writes the table.
    // Touches only the table, never the tally, so it can run in the background.
    Written enter(const QString& name, double level, Ending ending, const QString& date,
                  Tally game);
    // Waits until the tables written in the background are on disk.
    void settle();
    // Something stands in the table's place, or its folder is closed, so that a write must fail.
    bool writeRefused() const;
    // Reads the table from its file, as another copy of the game may have written it.
    void load();
    bool save();
    std::vector<FameEntry> sorted() const;
    // One more than the highest serial, below the highest an int holds.
    int nextSerial();

    QString path_;
    std::vector<FameEntry> entries_;
    std::optional<int> latest_;
    QString notice_;
    bool readable_ = true;
    Tally game_;
    int gamesBegun_ = 0;
    std::shared_future<Written> writing_; // the write for the game that ended last
    int writingFor_ = 0;                  // which game it is
    bool lastSaved_ = true;               // what the last write that was waited for did
    bool untold_ = false;                 // the last ending's outcome is yet to be told
    bool refused_ = false;                // and its write was bound to fail
};
