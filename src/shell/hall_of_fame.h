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
// that ends a game never waits for the disk; reading the table waits for the writes first.
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

    // The best games by level (ties: the earlier date, then the earlier game first).
    std::vector<FameEntry> best();
    // The serial of the most recent game that entered the table, if any.
    std::optional<int> latest();
    // A line to show once: the file was damaged and set aside, or the table cannot be saved.
    QString takeNotice();

  private:
    // What the running game has done so far.
    struct Tally {
        std::optional<int> serial; // once it has ended
        int continues = 0;
        bool cheated = false;
        double reached = 0;
    };
    // Reads the table again under the lock, so that the games another copy entered meanwhile are
    // kept and no two games get the same serial, then enters the game and writes the table; the
    // game's serial. Touches only the table, never the tally, so it can run in the background.
    int enter(const QString& name, double level, Ending ending, const QString& date, Tally game);
    // Waits until the tables written in the background are on disk.
    void settle();
    // Reads the table from its file, as another copy of the game may have written it.
    void load();
    void save();
    std::vector<FameEntry> sorted() const;
    // One more than the highest serial, below the highest an int holds.
    int nextSerial();

    QString path_;
    std::vector<FameEntry> entries_;
    std::optional<int> latest_;
    QString notice_;
    Tally game_;
    int gamesBegun_ = 0;
    std::shared_future<int> writing_; // the serial of the game that ended last
    int writingFor_ = 0;              // which game it is
};
