// The saved game against an unlucky machine: something other than a file in its place, a save
// left where saves no longer go, leftovers of a crashed save, and long and foreign names.
#include "game_fixture.h"
#include "save/save_place.h"

#include <QDateTime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bea's saved game up to its name line: level 7, the board at 450, 300 of 5000 x 2600.
const QByteArray kBea = "7/55/30/42/25/8/16/64/ 300 / 450 / 5000 / 2600 /";

// Writes bytes to path, "/" standing for the line ends, last written ageSeconds ago.
void writeFile(const QString& path, QByteArray bytes, int ageSeconds = 0) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write(bytes.replace('/', "\r\n")) && file.flush());
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                     QFileDevice::FileModificationTime);
}

// What stands in the save's place: nothing, or anything that cannot be read, is no saved game in
// both loads; a pipe is never waited for, and a save replaces none of it.
void loadAndSaveOver(const QString& place) {
    SCOPED_TRACE(place.toStdString());
    Play play;
    const QByteArray path = QFile::encodeName(play.savePath());
    if (place == "a folder")
        QDir().mkpath(play.savePath());
    if (place == "a pipe") {
        ASSERT_EQ(mkfifo(path.constData(), 0600), 0);
    }
    if (place == "a link to /dev/zero")
        QFile::link("/dev/zero", play.savePath());
    if (place == "a save of mode 000") {
        writeFile(play.savePath(), kBea + "Bea/");
        chmod(path.constData(), 0);
    }
    play.playKeys("L");
    play.start();
    play.playKeys("Esc L S");
    const bool saved = place == "nothing";
    EXPECT_EQ(play.platform.messages,
              (std::vector<QString>{"No saved game", "No saved game",
                                    saved ? "Saved!" : "Could not save the game."}));
    EXPECT_EQ(QFileInfo(play.savePath()).isFile(), saved || place == "a save of mode 000");
}

} // namespace

TEST(SaveRobustness, ASaveThatCannotBeReadIsNoneAndIsNeitherWaitedForNorReplaced) {
    for (const QString place : {"nothing", "a folder", "a pipe", "a link to /dev/zero"})
        loadAndSaveOver(place);
    if (geteuid() != 0) // root reads it all the same
        loadAndSaveOver("a save of mode 000");
}

TEST(SaveRobustness, SavesGoBesideTheBuiltGameOrToTheInstalledGamesDataFolderAndTheNewerLoads) {
    struct Case {
        bool installed;
        int programAge, dataAge; // how long ago each place's save was written; -1: none
        const char *saves, *loads;
    };
    const Case cases[] = {{false, -1, -1, "program", "program"}, {false, 100, 0, "program", "data"},
                          {false, 0, 100, "program", "program"}, {false, -1, 0, "program", "data"},
                          {true, -1, -1, "data", "data"},        {true, 0, -1, "data", "program"},
                          {true, 100, 0, "data", "data"},        {true, 0, 100, "data", "program"}};
    // A prefix keeps the program in bin/, Debian's package in /usr/games.
    for (const QString program : {"bin", "games"})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << qPrintable(program) << " " << c.installed << " "
                                            << c.programAge << " " << c.dataAge);
            ScriptedPlatform platform;
            const QDir root(platform.folder);
            const auto saveIn = [&](const QString& place) {
                return root.filePath((place == "program" ? program : place) + "/Save.ini");
            };
            platform.folder = root.filePath(program);
            root.mkpath(c.installed ? "share/vexmoor" : program);
            for (const auto& [place, age] :
                 {std::pair("program", c.programAge), std::pair("data", c.dataAge)})
                if (age >= 0)
                    writeFile(saveIn(place), kBea + "Bea/", age);
            root.mkpath(program);
            EXPECT_EQ(savefile::savePath(platform), saveIn(c.saves));
            EXPECT_EQ(savefile::loadPath(platform), saveIn(c.loads));
        }
}

TEST(SaveRobustness, ASaveRemovesTheCopiesCrashedSavesLeftAndNothingElse) {
    Play play;
    const QStringList others{"Notes.ini.Ab3dEf", "Save.ini", "Save.ini.bak", "Save.ini.toolong"};
    for (const QString& name : others + QStringList{"Save.ini.Ab3dEf", "Save.ini.zzzzzz"})
        writeFile(QDir(play.platform.folder).filePath(name), kBea + "Bea/");
    play.start();
    play.playKeys("Esc S");
    play.apply("box=Saved!", true);
    EXPECT_EQ(QDir(play.platform.folder).entryList(QDir::Files), others);
}

TEST(SaveRobustness, ALongNameIsCutBeforeAWholeCharacterWhenSavedAndWhenLoaded) {
    const QByteArray a(299, 'a'), stats = "1/100/10/10/20/20/20/120/ 600 / 600 / 4000 / 3000 /";
    const QByteArray end = "/5/False/36000000 0 0 0 0/", cut = "; saved=" + stats + a + end;
    // A surrogate pair across the limit, a letter and its accent, two letters, and a loaded name.
    check({
        {("name=" + a + "\xF0\x9F\x98\x80").data(), "", "Esc S L", ("name=" + a + cut).data()},
        {("name=" + a + "e\xCC\x81").data(), "", "Esc S L", ("name=" + a + cut).data()},
        {("name=" + a + "bc").data(), "", "Esc S L",
         ("name=" + a + "b; saved=" + stats + a + "b" + end).data()},
        {("menu; saved=" + kBea + a + "\xF0\x9F\x98\x80zzz/").data(), "kept", "L +10",
         ("name=" + a).data()},
    });
}

TEST(SaveRobustness, ANameInTheClassicCodePageLoadsAsWrittenAndIsSavedInUtf8) {
    for (const auto& [bytes, name] : {std::pair<QByteArray, QString>{"Jos\xE9", "José"},
                                      {"Jos\xC3\xA9", "José"}, // UTF-8
                                      {"\x93Z\xF6\xEB\x94 \x80", "“Zöë” €"}}) {
        Play play;
        writeFile(play.savePath(), kBea + bytes + "/3/True/");
        play.queueDice("kept");
        play.playKeys("L +10 Esc S");
        play.apply("name=" + name + "; saved=" + kBea + name + "/3/True/", true);
    }
}

TEST(SaveRobustness, WithNoDataFolderAnInstalledCopyKeepsNothingAndWritesNowhere) {
    Play play;
    const QDir root(play.platform.folder);
    root.mkpath("share/vexmoor");
    root.mkpath("bin");
    play.platform.folder = root.filePath("bin");
    play.platform.userFolder.clear();
    const QStringList here = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);
    play.start();
    play.playKeys("Esc S");
    EXPECT_EQ(play.platform.messages, std::vector<QString>{"Could not save the game."});
    play.game.hallOfFame().gameEnded("Anna", 2, Ending::Hole, "2026-12-07");
    EXPECT_EQ(play.game.hallOfFame().best().size(), 1u);
    EXPECT_EQ(play.game.hallOfFame().takeNotice(), "");
    EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::Hidden), here);
    EXPECT_EQ(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"bin", "share"}));
}
