// The save file on its own: the fifteen lines written, the reading rules, damage, and where the
// file lives.
#include "scripted_platform.h"
#include "shop/savefile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SaveFileTest : public ::testing::Test {
  protected:
    QString file(const QString& name = QStringLiteral("Save.ini")) const {
        return QDir(dir.path()).filePath(name);
    }
    QByteArray contents(const QString& filePath) const {
        QFile f(filePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString& filePath, const QByteArray& bytes) const {
        QFile f(filePath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
};

savefile::Fields annaFields() {
    return {"1",   "100", "10",   "10",   "20",   "20", "20",   "97",
            "120", "240", "3615", "1815", "Anna", "5",  "False"};
}

// The fields of the text, whether the game could use them or not.
savefile::Fields parsed(const char* text) {
    return savefile::parse(QByteArray(text)).fields;
}

// The board coordinate as line 9 holds it after a write.
QByteArray coordinateLine(const QString& value) {
    savefile::Fields fields = annaFields();
    fields[8] = value;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Save.ini"));
    EXPECT_TRUE(savefile::write(path, fields));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().split('\n').value(8);
}

} // namespace

TEST_F(SaveFileTest, WritesFifteenLinesWithTheBoardInTheNumberForm) {
    ASSERT_TRUE(savefile::write(file(), annaFields()));
    EXPECT_EQ(contents(file()),
              QByteArray("1\r\n100\r\n10\r\n10\r\n20\r\n20\r\n20\r\n97\r\n 120 \r\n"
                         " 240 \r\n 3615 \r\n 1815 \r\nAnna\r\n5\r\nFalse\r\n"));
}

TEST_F(SaveFileTest, NumberFormHasASignPlaceAndAtMostSevenDigits) {
    EXPECT_EQ(coordinateLine("-96"), QByteArray("-96 \r"));
    EXPECT_EQ(coordinateLine("0"), QByteArray(" 0 \r"));
    EXPECT_EQ(coordinateLine("120.5"), QByteArray(" 120.5 \r"));
    EXPECT_EQ(coordinateLine("1234.5678"), QByteArray(" 1234.568 \r"));
    EXPECT_EQ(coordinateLine("-0.25"), QByteArray("-0.25 \r"));
    EXPECT_EQ(coordinateLine(""), QByteArray("\r")); // no board: the coordinate stays as it is
}

TEST_F(SaveFileTest, ReadsBackWhatItWrote) {
    ASSERT_TRUE(savefile::write(file(), annaFields()));
    const savefile::ReadResult read = savefile::read(file());
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.fields, annaFields());
    EXPECT_EQ(savefile::coordinate(read.fields[10]), 3615.0);
    EXPECT_FALSE(savefile::rope(read.fields[14]));
}

TEST_F(SaveFileTest, ReadingRulesForQuotesCommasBlanksAndNumbers) {
    const savefile::Fields f =
        parsed("007\r\n  +100  \r\n\t10\r\n\"5, or more\" ignored,12\r\n 3.50 \r\n\r\nx y  \r\n");
    EXPECT_EQ(f[0], "7");
    EXPECT_EQ(f[1], "100");
    EXPECT_EQ(f[2], "10");
    EXPECT_EQ(f[3], "5, or more"); // quoted: the text as it is, the rest up to the comma dropped
    EXPECT_EQ(f[4], "12");         // after a comma the next field starts
    EXPECT_EQ(f[5], "3.5");
    EXPECT_EQ(f[6], "");
    EXPECT_EQ(f[7], "x y");
    for (size_t i = 8; i < f.size(); ++i)
        EXPECT_EQ(f[i], "") << i;
}

TEST_F(SaveFileTest, EveryKindOfLineEndEndsAField) {
    const savefile::Fields f = parsed("1\r2\n3\r\n4");
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[1], "2");
    EXPECT_EQ(f[2], "3");
    EXPECT_EQ(f[3], "4");
    EXPECT_EQ(f[4], "");
}

TEST_F(SaveFileTest, AQuotedNumberStaysText) {
    EXPECT_EQ(parsed("\"007\"")[0], "007");
    EXPECT_EQ(parsed("\"unclosed\r\n2")[0], "unclosed");
    EXPECT_EQ(parsed("\"unclosed\r\n2")[1], "2");
}

TEST_F(SaveFileTest, AMissingFileGivesFifteenEmptyFields) {
    const savefile::ReadResult read = savefile::read(file(QStringLiteral("none.ini")));
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.fields, savefile::Fields{});
    const savefile::ReadResult folder = savefile::read(dir.path());
    EXPECT_FALSE(folder.damaged);
    EXPECT_EQ(folder.fields, savefile::Fields{});
}

TEST_F(SaveFileTest, NamesWithCommasQuotesAndBlanksSurvive) {
    const std::pair<QString, QString> names[] = {
        {"Smith, Anna", "Smith, Anna"},
        {"  Anna  ", "  Anna  "},
        {"\tAnna", "\tAnna"},
        {"007", "007"},
        {"Jo \"Ace\" Lee", "Jo \"Ace\" Lee"}, // a quote inside needs no quoting
        {"\"Boss\"", "'Boss'"},               // a quoted name cannot hold double quotes
        {"Lee, \"Ace\"", "Lee, 'Ace'"},
        {"", ""},
        {"Zoë", "Zoë"},
    };
    for (const auto& [name, loaded] : names) {
        savefile::Fields fields = annaFields();
        fields[12] = name;
        ASSERT_TRUE(savefile::write(file(), fields));
        const savefile::ReadResult read = savefile::read(file());
        EXPECT_FALSE(read.damaged) << name.toStdString();
        fields[12] = loaded;
        EXPECT_EQ(read.fields, fields) << name.toStdString();
    }
}

TEST_F(SaveFileTest, ANameCannotBreakTheFile) {
    savefile::Fields fields = annaFields();
    fields[12] = QStringLiteral("Anna\r\nBob\x01") + QString(2000, QLatin1Char('x'));
    ASSERT_TRUE(savefile::write(file(), fields));
    const savefile::ReadResult read = savefile::read(file());
    EXPECT_FALSE(read.damaged);
    EXPECT_TRUE(read.fields[12].startsWith(QStringLiteral("Anna  Bob xxx")));
    EXPECT_EQ(read.fields[13], "5");
    EXPECT_EQ(read.fields[14], "False");
}

TEST_F(SaveFileTest, AShortFileIsNotDamaged) {
    const savefile::ReadResult read = savefile::parse("2\r\n90\r\n5\r\n");
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.fields[2], "5");
    EXPECT_EQ(read.fields[3], "");
    EXPECT_FALSE(savefile::parse("").damaged);
    EXPECT_FALSE(savefile::parse("\r\n100\r\n").damaged); // refused later: line 1 is empty
}

TEST_F(SaveFileTest, DamagedFilesAreRefused) {
    const QByteArray good("1\r\n100\r\n10\r\n10\r\n20\r\n20\r\n20\r\n97\r\n 120 \r\n 240 \r\n"
                          " 3615 \r\n 1815 \r\nAnna\r\n5\r\nFalse\r\n");
    ASSERT_FALSE(savefile::parse(good).damaged);
    const auto withLine = [&](int index, const QByteArray& text) {
        QList<QByteArray> lines = good.split('\n');
        lines[index] = text + '\r';
        return lines.join('\n');
    };
    const QByteArray damaged[] = {
        withLine(0, "one"),                       // level
        withLine(1, "1O0"),                       // a stat
        withLine(7, "2:00"),                      // time left
        withLine(8, " 12x "),                     // a board coordinate
        withLine(10, " 1" + QByteArray(40, '0')), // beyond a single-precision number
        withLine(13, "five"),                     // continues
        withLine(12, QByteArray(1001, 'A')),      // an over-long line
        withLine(12, QByteArray("An\0na", 5)),    // binary data
        withLine(12, "An\x1bna"),
        withLine(3, "1e3"),
    };
    for (const QByteArray& bytes : damaged)
        EXPECT_TRUE(savefile::parse(bytes).damaged) << bytes.left(200).toStdString();
    put(file(), good + QByteArray(70000, '\n')); // no save file is this large
    EXPECT_TRUE(savefile::read(file()).damaged);
    // What the game can use is no damage: any name, any rope text, a long but fitting line.
    EXPECT_FALSE(savefile::parse(withLine(12, "\"R2-D2, the droid\"")).damaged);
    EXPECT_FALSE(savefile::parse(withLine(14, "Yes")).damaged);
    EXPECT_FALSE(savefile::parse(withLine(12, QByteArray(1000, 'A'))).damaged);
}

TEST_F(SaveFileTest, LivesInTheProgramFolderWhenItCanBeWritten) {
    ScriptedPlatform platform;
    platform.folder = dir.path();
    platform.userFolder = file(QStringLiteral("data"));
    EXPECT_EQ(savefile::path(platform), file());
}

TEST_F(SaveFileTest, FallsBackToTheDataFolderAndCreatesItOnSave) {
    ScriptedPlatform platform;
    platform.folder = file(QStringLiteral("missing"));
    platform.userFolder = file(QStringLiteral("data/vexmoor"));
    const QString path = savefile::path(platform);
    EXPECT_EQ(path, file(QStringLiteral("data/vexmoor/Save.ini")));
    EXPECT_FALSE(QDir(platform.userFolder).exists()); // a load creates nothing
    ASSERT_TRUE(savefile::write(path, annaFields()));
    EXPECT_EQ(savefile::read(path).fields, annaFields());
}

TEST_F(SaveFileTest, AnUnwritablePlaceGivesFalse) {
    put(file(QStringLiteral("plain")), "not a folder");
    EXPECT_FALSE(savefile::write(file(QStringLiteral("plain/Save.ini")), annaFields()));
    EXPECT_FALSE(savefile::write(dir.path(), annaFields())); // a folder stands in the way
}

TEST_F(SaveFileTest, ASaveInterruptedBeforeItsRenameLeavesTheOldSave) {
    ASSERT_TRUE(savefile::write(file(), annaFields()));
    const QByteArray before = contents(file());
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
    EXPECT_EQ(contents(file()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Save.ini")});
}
