// Saving in the shop and loading from the main menu and the shop.
#include "shell/form1.h"
#include "shop/savefile.h"
#include "shop_fixture.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace {

// Everything a load restores.
struct Loaded {
    std::vector<QString> fields; // the eight stats, the name and the continues
    bool rope = false;
    ui::Rect board;

    bool operator==(const Loaded& o) const {
        return fields == o.fields && rope == o.rope && board.left == o.board.left &&
               board.top == o.board.top && board.width == o.board.width &&
               board.height == o.board.height;
    }
};

void PrintTo(const Loaded& l, std::ostream* os) {
    for (const QString& f : l.fields)
        *os << '"' << f.toStdString() << "\" ";
    *os << (l.rope ? "rope " : "no rope ") << l.board.left << ',' << l.board.top << ' '
        << l.board.width << 'x' << l.board.height;
}

const QByteArray kBeaSave("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n 450 \r\n"
                          " 5000 \r\n 2600 \r\nBea\r\n3\r\nTrue\r\n");

// While alive, files cannot grow beyond a few bytes: every save fails on writing.
class FileSizeLimit {
  public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class LoadTest : public ShopTest {
  protected:
    QString savePath() const {
        return QDir(programDir.path()).filePath(QStringLiteral("Save.ini"));
    }
    void putSave(const QByteArray& bytes) {
        QFile f(savePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray saved() const {
        QFile f(savePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    Loaded state() {
        MDIForm1& s = status();
        Loaded l;
        for (ui::Label* field : {&s.Liv, &s.Energy, &s.Armor, &s.Gold, &s.Hits, &s.Food, &s.Serum,
                                 &s.Tempo, &s.Player, &s.ContPart})
            l.fields.push_back(field->text());
        l.rope = s.hasRope();
        if (Form2* board = game.board())
            l.board = board->Pic.rect();
        return l;
    }

    // Some game other than the saved one, over.
    void scramble() {
        MDIForm1& s = status();
        for (ui::Label* field : {&s.Liv, &s.Energy, &s.Armor, &s.Gold, &s.Hits, &s.Food, &s.Serum,
                                 &s.Tempo, &s.ContPart})
            field->setText(QStringLiteral("99"));
        s.Player.setText(QStringLiteral("Someone"));
        s.setRope(false);
        board().Pic.setRect({11, 22, 3333, 4444});
        board().GameOver.setText(QStringLiteral("1"));
        board().Mio.setVisible(false);
    }
};

TEST_F(LoadTest, SaveWritesTheFifteenLinesByteForByte) {
    Form2& board = startGame();
    board.Pic.setRect({240, 120, 3615, 1815});
    status().Tempo.setText(QStringLiteral("97"));
    openShop();
    press('S');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("Saved!")});
    EXPECT_EQ(saved(), QByteArray("1\r\n100\r\n10\r\n10\r\n20\r\n20\r\n20\r\n97\r\n 120 \r\n"
                                  " 240 \r\n 3615 \r\n 1815 \r\nAnna\r\n5\r\nFalse\r\n"));
    EXPECT_NE(shop(), nullptr); // saving leaves the shop open
}

TEST_F(LoadTest, TheShopLoadsWhatItSaved) {
    Form2& board = startGame();
    MDIForm1& s = status();
    const char* values[] = {"4", "61", "12", "33", "27", "5", "18", "77"};
    ui::Label* stats[] = {&s.Liv,  &s.Energy, &s.Armor, &s.Gold,
                          &s.Hits, &s.Food,   &s.Serum, &s.Tempo};
    for (size_t i = 0; i < std::size(stats); ++i)
        stats[i]->setText(QString::fromLatin1(values[i]));
    s.ContPart.setText(QStringLiteral("3"));
    s.setRope(true);
    board.Pic.setRect({360, 480, 5100.5, 2700});
    openShop();
    press('S');
    const Loaded before = state();

    scramble();
    board.Mio2.setVisible(false);
    s.Timer1.setEnabled(false);
    press('L');
    EXPECT_EQ(state(), before);
    EXPECT_EQ(shop(), nullptr);
    EXPECT_EQ(game.board(), &board); // the board window stays, and so does its level
    EXPECT_FALSE(board.MyLoad.isSet());
    EXPECT_FALSE(board.GameOver.isSet());
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_TRUE(board.Mio2.visible());
    EXPECT_EQ(board.Mio.top(), 1350);
    EXPECT_EQ(board.Mio.left(), 2550.25);
    EXPECT_TRUE(board.enabled());
    EXPECT_TRUE(s.Timer1.enabled());
}

TEST_F(LoadTest, TheMenuAndTheShopLoadTheSameGame) {
    putSave(kBeaSave);
    press('L');
    ASSERT_NE(game.board(), nullptr);
    EXPECT_EQ(game.menu(), nullptr);
    EXPECT_TRUE(platform.prompts.empty()); // the saved name needs no asking
    EXPECT_TRUE(game.board()->MyLoad.isSet());
    game.advance(10);
    const Loaded fromMenu = state();
    const std::vector<QString> fields{"7", "55", "30", "42", "25", "8", "16", "64", "Bea", "3"};
    EXPECT_EQ(fromMenu.fields, fields);
    EXPECT_TRUE(fromMenu.rope);
    EXPECT_EQ(fromMenu.board.top, 300);
    EXPECT_EQ(fromMenu.board.left, 450);
    EXPECT_EQ(fromMenu.board.width, 5000);
    EXPECT_EQ(fromMenu.board.height, 2600);

    scramble();
    openShop();
    press('L');
    EXPECT_EQ(state(), fromMenu);
}

TEST_F(LoadTest, NamesWithCommasQuotesAndBlanksComeBack) {
    startGame();
    const std::pair<QString, QString> names[] = {
        {"Smith, Anna", "Smith, Anna"},
        {"  Anna  ", "  Anna  "},
        {"\"Boss\" Bea", "'Boss' Bea"},
        {"42", "42"},
    };
    for (const auto& [name, loaded] : names) {
        status().Player.setText(name);
        openShop();
        press('S');
        status().Player.setText(QStringLiteral("Someone"));
        status().ContPart.setText(QStringLiteral("1"));
        press('L');
        EXPECT_EQ(status().Player.text(), loaded);
        EXPECT_EQ(status().ContPart.text(), QStringLiteral("5"));
        EXPECT_FALSE(status().hasRope());
    }
}

TEST_F(LoadTest, AnEmptyFirstLineIsNoSavedGame) {
    putSave("\r\n100\r\n10\r\n10\r\n20\r\n20\r\n20\r\n97\r\n 120 \r\n 240 \r\n 3615 \r\n 1815 \r\n"
            "Anna\r\n5\r\nTrue\r\n");
    press('L');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("No saved game")});
    EXPECT_NE(game.menu(), nullptr);
    EXPECT_EQ(game.board(), nullptr);

    startGame();
    openShop();
    const Loaded before = state();
    press('L');
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages.back(), QStringLiteral("No saved game"));
    EXPECT_EQ(state(), before);
    EXPECT_NE(shop(), nullptr);
}

TEST_F(LoadTest, AnEightLineFileLoadsTheStatsOnly) {
    putSave("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n");
    const std::vector<QString> fields{"7", "55", "30", "42", "25", "8", "16", "64", "", ""};
    status().setRope(true);
    press('L');
    ASSERT_NE(game.board(), nullptr);
    game.advance(10); // with no saved geometry the board keeps its design place
    EXPECT_EQ(state().fields, fields);
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(board().Pic.rect().left, 3240);
    EXPECT_EQ(board().Pic.rect().width, 3615);

    scramble();
    status().setRope(true);
    const ui::Rect geometry = board().Pic.rect();
    openShop();
    press('L');
    EXPECT_EQ(state().fields, fields);
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(board().Pic.rect().left, geometry.left);
    EXPECT_EQ(board().Pic.rect().height, geometry.height);
    EXPECT_EQ(shop(), nullptr);
}

TEST_F(LoadTest, ADamagedFileIsRefusedByBothLoads) {
    const QByteArray damaged[] = {
        QByteArray(kBeaSave).replace("55\r\n", "fifty\r\n"),
        QByteArray(kBeaSave).replace(" 5000 ", " 5,000 "),
        QByteArray(kBeaSave).replace(" 300 ", " 3OO "),
        QByteArray(kBeaSave).replace("Bea\r\n3", "Bea\r\nthree"),
        QByteArray(kBeaSave).replace("Bea", QByteArray(1200, 'B')),
        QByteArray(kBeaSave).replace("Bea", QByteArray("B\0a", 3)),
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0",
                   10),
    };
    for (const QByteArray& bytes : damaged) {
        putSave(bytes);
        press('L');
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], QStringLiteral("The saved game is damaged."));
        EXPECT_NE(game.menu(), nullptr);
        EXPECT_EQ(game.board(), nullptr);
        platform.messages.clear();
    }

    startGame();
    openShop();
    scramble();
    const Loaded before = state();
    for (const QByteArray& bytes : damaged) {
        putSave(bytes);
        press('L');
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], QStringLiteral("The saved game is damaged."));
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(board().GameOver.isSet());
        EXPECT_NE(shop(), nullptr);
        platform.messages.clear();
    }
}

TEST_F(LoadTest, ASaveThatCannotBeWrittenSaysSo) {
    startGame();
    QFile plain(QDir(dataDir.path()).filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    platform.folder = QDir(programDir.path()).filePath(QStringLiteral("missing"));
    platform.userFolder = QDir(plain.fileName()).filePath(QStringLiteral("vexmoor"));
    openShop();
    press('S');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("Could not save the game.")});
    EXPECT_NE(shop(), nullptr);
}

TEST_F(LoadTest, AFailedSaveLeavesThePreviousSave) {
    startGame();
    openShop();
    press('S');
    const QByteArray before = saved();
    const Loaded game1 = state();
    status().Gold.setText(QStringLiteral("1234"));
    {
        FileSizeLimit limit;
        press('S');
    }
    EXPECT_EQ(platform.messages,
              (std::vector<QString>{QStringLiteral("Saved!"),
                                    QStringLiteral("Could not save the game.")}));
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files), QStringList{"Save.ini"});
    press('L');
    EXPECT_EQ(state(), game1);
}

TEST_F(LoadTest, WithoutAWritableProgramFolderTheSaveGoesToTheDataFolder) {
    startGame();
    platform.folder = QDir(programDir.path()).filePath(QStringLiteral("missing"));
    platform.userFolder = QDir(dataDir.path()).filePath(QStringLiteral("Vexmoor/saves"));
    status().Gold.setText(QStringLiteral("321"));
    openShop();
    press('S');
    EXPECT_EQ(platform.messages, std::vector<QString>{QStringLiteral("Saved!")});
    EXPECT_TRUE(QFile::exists(QDir(platform.userFolder).filePath(QStringLiteral("Save.ini"))));
    status().Gold.setText(QStringLiteral("0"));
    press('L');
    EXPECT_EQ(status().Gold.text(), QStringLiteral("321"));
}
