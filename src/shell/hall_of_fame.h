#pragma once

#include "shell/ending.h"
#include "ui/game_seed.h"

#include <QString>
#include <future>
#include <memory>
#include <optional>
#include <vector>

// One game in the hall of fame.
struct FameEntry {
    QString name;
    int level = 0; // the highest level the game reached
    Ending ending = Ending::Ravine;
    int continuesUsed = 0;
    QString date; // yyyy-MM-dd of the last ending
    bool cheated = false;
    int serial = 0;                    // games are numbered in the order they were played
    std::optional<std::uint32_t> seed; // none for a game saved before games had seeds
    QString day; // the UTC date of the daily challenge it played; empty for any other game
};

// Where the games of the hall of fame are kept: a file of the player's data folder, or a keeper
// elsewhere. Entering a game runs in the background, one entry after the other, while the game
// goes on; the table is read on the game's turn once the entries are done.
class FameTable {
  public:
    static constexpr int kShown = 10;
    // What entering a game did: the serial of its entry, and whether the table kept it.
    struct Entered {
        std::optional<int> serial;
        bool saved = false;
    };

    virtual ~FameTable() = default;
    // Enters a game as it ended (its serial aside): a new entry, or with a serial the update of
    // that entry after a continue.
    virtual Entered enter(const FameEntry& game, std::optional<int> serial) = 0;
    // The best games, kShown at most, best first.
    virtual std::vector<FameEntry> best() = 0;
    // The best games of that day's challenge, kShown at most, best first.
    virtual std::vector<FameEntry> today(const QString& day) = 0;
    // False when the table, as last looked at, stands there but cannot be read.
    virtual bool readable() const { return true; }
    // A line to show once about the table.
    virtual QString takeNotice() { return {}; }
    // Something stands in the way, so that an entry must fail; known without trying.
    virtual bool writeRefused() const { return false; }
    // The table as the player is told it cannot be written.
    virtual QString place() const = 0;
};

// The table in a small text file of the player's data folder, and the games' seeds and challenge
// days in a second one beside it. Copies of the game played at once each keep their games in the
// one file. A table that cannot be read is never written over, so its games are not lost to the
// next one; without its seeds the table's games are shown all the same.
class FameFile : public FameTable {
  public:
    // With no file path, the table is kept for this run only.
    explicit FameFile(QString filePath) : path_(std::move(filePath)) {}

    // Reads the table again under the lock, so that the games another copy entered meanwhile are
    // kept and no two games get the same serial, then enters the game and writes the table.
    Entered enter(const FameEntry& game, std::optional<int> serial) override;
    std::vector<FameEntry> best() override;
    std::vector<FameEntry> today(const QString& day) override;
    bool readable() const override { return readable_; }
    // The file, or that of the seeds, was damaged and set aside.
    QString takeNotice() override;
    // Something stands in the table's place, or its folder is closed.
    bool writeRefused() const override;
    // The file's path.
    QString place() const override;

  private:
    // Reads the table from its file, as another copy of the game may have written it, then the
    // seeds of its games.
    void load();
    void loadSeeds();
    // Writes the table, then the seeds; false when the table could not be written.
    bool save();
    // The games the file keeps: the best, and the best of the latest challenge day in the table,
    // so that the day's games stay for its own table.
    std::vector<FameEntry> kept() const;
    // One more than the highest serial, below the highest an int holds.
    int nextSerial();
    QString seedsPath() const;
    void tell(const QString& notice);

    QString path_;
    std::vector<FameEntry> entries_;
    QString notice_;
    bool readable_ = true;
    bool seedsReadable_ = true; // seeds that could not be read are not written over either
};

// The hall of fame as the game keeps it: what the running game has done so far, entered in the
// table when the game first ends; each later ending of the same game (after a continue) updates
// its entry, and a game the program closed in the middle is never entered. The turn that ends a
// game never waits for the table; reading the table waits for the entries first.
class HallOfFame {
  public:
    static constexpr int kShown = FameTable::kShown;

    // The table in that file of the player's data folder; with no file path, the table is kept
    // for this run only.
    explicit HallOfFame(QString filePath);
    explicit HallOfFame(std::unique_ptr<FameTable> table);
    ~HallOfFame();
    HallOfFame(const HallOfFame&) = delete;
    HallOfFame& operator=(const HallOfFame&) = delete;

    // A new game or a load: the endings from now on belong to a new entry.
    void beginGame();
    void continued();
    // A cheat code was used; the level it left counts as reached.
    void cheated(double levelLeft);
    // The running game ended: its entry is added or updated in the background.
    void gameEnded(const QString& name, double level, Ending ending, const QString& date,
                   const std::optional<ui::GameSeed>& seed = {});
    // True once when the game that ended last could not be entered in the table, as soon as that
    // is known: at once when the table tells, else once the entry is done. Never waits for it.
    bool takeLostEntry();
    // The table as the player is told it cannot be written.
    QString place() const { return table_->place(); }

    // The best games by level (ties: the earlier date, then the earlier game first).
    std::vector<FameEntry> best();
    // The best games of that day's challenge, in the same order.
    std::vector<FameEntry> today(const QString& day);
    // The serial of the most recent game that entered the table, if any.
    std::optional<int> latest();
    // False when the table, as last looked at, stands there but cannot be read.
    bool readable() const { return table_->readable(); }
    // A line to show once about the table.
    QString takeNotice();

  private:
    // What the running game has done so far.
    struct Tally {
        std::optional<int> serial; // once it has ended
        int continues = 0;
        bool cheated = false;
        double reached = 0;
    };
    // Waits until the entries made in the background are done.
    void settle();

    std::unique_ptr<FameTable> table_;
    std::optional<int> latest_;
    Tally game_;
    int gamesBegun_ = 0;
    std::shared_future<FameTable::Entered> writing_; // the entry of the game that ended last
    int writingFor_ = 0;                             // which game it is
    bool lastSaved_ = true;                          // what the last entry waited for did
    bool untold_ = false;                            // the last ending's outcome is yet to be told
    bool refused_ = false;                           // and its entry was bound to fail
};
