// The save file's own rules: the number form of the board's lines, reading fields, and a save
// stopped before it replaces the old one.
#include "save/save_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SavedGame anna() {
    return {"1",   "100", "10",   "10",   "20",   "20", "20", "97",
            "120", "240", "3615", "1815", "Anna", "5",  false};
}

class SaveFileTest : public ::testing::Test {
  protected:
    QString file() const { return QDir(dir.path()).filePath(QStringLiteral("Save.ini")); }
    QByteArray contents() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(SaveFileTest, BoardLinesHaveASignPlaceAndAtMostSevenDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"-96", "-96 \r"},      {"0", " 0 \r"},
        {"120.5", " 120.5 \r"}, {"1234.5678", " 1234.568 \r"},
        {"-0.25", "-0.25 \r"},  {"", "\r"}, // no board: as it is
    };
    for (const auto& [value, line] : cases) {
        SavedGame game = anna();
        game.boardTop = QString::fromLatin1(value);
        ASSERT_TRUE(savefile::write(file(), game));
        EXPECT_EQ(contents().split('\n').value(8), QByteArray(line)) << value;
    }
}

TEST_F(SaveFileTest, ReadingRulesForQuotesCommasBlanksNumbersAndLineEnds) {
    const std::pair<const char*, SavedGame> cases[] = {
        {"007\r\n  +100  \r\n\t10\r\n 3.50 \r\n\r\nx y  \r\n",
         {.level = "7", .energy = "100", .armor = "10", .gold = "3.5", .food = "x y"}},
        // Quoted: the text as it is, the rest up to the comma dropped; after a comma the next
        // field starts.
        {"\"5, or more\" ignored,12\r\n\"007\"",
         {.level = "5, or more", .energy = "12", .armor = "007"}},
        {"\"unclosed\r\n2", {.level = "unclosed", .energy = "2"}},
        {"1\r2\n3\r\n4", {.level = "1", .energy = "2", .armor = "3", .gold = "4"}},
    };
    // The fields as read, whether the game could use them or not.
    for (const auto& [text, expected] : cases)
        EXPECT_TRUE(savefile::parse(QByteArray(text)).game == expected) << text;
}

TEST_F(SaveFileTest, AMissingFileOrAFolderIsNoSavedGameRatherThanADamagedOne) {
    for (const QString& path : {file(), dir.path()}) {
        const savefile::ReadResult read = savefile::read(path);
        EXPECT_FALSE(read.damaged);
        EXPECT_TRUE(read.game == SavedGame{});
    }
}

TEST_F(SaveFileTest, ASaveInterruptedBeforeItsRenameLeavesTheOldSave) {
    ASSERT_TRUE(savefile::write(file(), anna()));
    const QByteArray before = contents();
    {
        QSaveFile interrupted(file());
        ASSERT_TRUE(interrupted.open(QIODevice::WriteOnly));
        interrupted.write("9\r\n1\r\n");
        // No commit: the program stops before the new file replaces the old one.
    }
    {
        QSaveFile cancelled(file());
        ASSERT_TRUE(cancelled.open(QIODevice::WriteOnly));
        cancelled.write("9\r\n");
        cancelled.cancelWriting();
        EXPECT_FALSE(cancelled.commit());
    }
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Save.ini")});
    EXPECT_TRUE(savefile::read(file()).game == anna());
}
