// The saved game against an unlucky machine: something other than a file in its place, a save
// left where saves no longer go, leftovers of a crashed save, long and foreign names, and a
// help page no browser takes.
#include "game_fixture.h"
#include "save/save_place.h"

#include <QDateTime>
#include <sys/stat.h>

namespace {

// Writes bytes to path, last written ageSeconds ago.
void writeFile(const QString& path, const QByteArray& bytes, int ageSeconds = 0) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush();
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                     QFileDevice::FileModificationTime);
}

QByteArray beaNamed(const QByteArray& name) {
    return QByteArray(kBeaSave).replace("Bea", name);
}

class SaveRobustnessTest : public ShopTest {
  protected:
    // Line 13 of the save, as bytes.
    QByteArray savedName() const { return saved().split('\n').value(12).chopped(1); }
};

} // namespace

TEST_F(SaveRobustnessTest, APipeOrAFolderInTheSavesPlaceIsNeitherWaitedForNorReplaced) {
    const std::pair<const char*, bool (*)(const QString&)> things[] = {
        {"pipe",
         [](const QString& path) {
             return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }},
        {"folder", [](const QString& path) { return QDir().mkdir(path); }},
    };
    for (const auto& [thing, make] : things) {
        ASSERT_TRUE(make(savePath())) << thing;
        press('L');
        start();
        openShop();
        press('L');
        press('S');
        EXPECT_EQ(platform.messages, (std::vector<QString>{"No saved game", "No saved game",
                                                           "Could not save the game."}))
            << thing;
        EXPECT_FALSE(QFileInfo(savePath()).isFile()) << thing;
        if (!QFile::remove(savePath()))
            QDir().rmdir(savePath());
        platform.messages.clear();
        backToMenu();
    }
}

TEST(SavePlaceTest, SavesGoBesideTheBuiltGameOrToTheInstalledGamesDataFolderAndTheNewerIsLoaded) {
    struct Case {
        bool installed;
        int programAge, dataAge; // how long ago each place's save was written; -1: none
        const char *saves, *loads;
    };
    const Case cases[] = {
        {false, -1, -1, "bin", "bin"},  {false, 100, 0, "bin", "data"},
        {false, 0, 100, "bin", "bin"},  {false, -1, 0, "bin", "data"},
        {true, -1, -1, "data", "data"}, {true, 0, -1, "data", "bin"},
        {true, 100, 0, "data", "data"}, {true, 0, 100, "data", "bin"},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        ScriptedPlatform platform;
        platform.folder = root.filePath(QStringLiteral("bin"));
        platform.userFolder = root.filePath(QStringLiteral("data"));
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        if (c.installed)
            QDir(root.path()).mkpath(QStringLiteral("share/vexmoor"));
        for (const auto& [folder, age] :
             {std::pair(platform.folder, c.programAge), std::pair(platform.userFolder, c.dataAge)})
            if (age >= 0)
                writeFile(QDir(folder).filePath(QStringLiteral("Save.ini")), kBeaSave, age);
        const QString at =
            QStringLiteral("%1 %2 %3").arg(c.installed).arg(c.programAge).arg(c.dataAge);
        EXPECT_EQ(savefile::savePath(platform),
                  root.filePath(c.saves + QStringLiteral("/Save.ini")))
            << at.toStdString();
        EXPECT_EQ(savefile::loadPath(platform),
                  root.filePath(c.loads + QStringLiteral("/Save.ini")))
            << at.toStdString();
    }
}

TEST_F(SaveRobustnessTest, AnInstalledGameSavesToTheDataFolderAndStillOffersTheOlderSaveBesideIt) {
    const QString bin = QDir(programDir.path()).filePath(QStringLiteral("bin"));
    QDir(programDir.path()).mkpath(QStringLiteral("share/vexmoor"));
    platform.folder = bin;
    writeFile(QDir(bin).filePath(QStringLiteral("Save.ini")), kBeaSave, 100);
    press('L');
    game.advance(10);
    EXPECT_EQ(status().playerName.text(), QStringLiteral("Bea"));
    status().gold.setText(QStringLiteral("1234"));
    openShop();
    press('S');
    EXPECT_TRUE(QFile::exists(QDir(dataDir.path()).filePath(QStringLiteral("Save.ini"))));
    EXPECT_EQ(QDir(bin).entryList(QDir::Files), QStringList{"Save.ini"});
    status().gold.setText(QStringLiteral("0"));
    press('L');
    EXPECT_EQ(status().gold.text(), QStringLiteral("1234"));
}

TEST_F(SaveRobustnessTest, ASaveRemovesTheCopiesCrashedSavesLeftAndNothingElse) {
    const QStringList leftovers{"Save.ini.Ab3dEf", "Save.ini.zzzzzz"};
    const QStringList others{"Notes.ini.Ab3dEf", "Save.ini", "Save.ini.bak", "Save.ini.toolong"};
    for (const QString& name : leftovers + others)
        writeFile(QDir(programDir.path()).filePath(name), kBeaSave);
    start();
    openShop();
    press('S');
    EXPECT_EQ(platform.messages.back(), QStringLiteral("Saved!"));
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files), others);
}

TEST_F(SaveRobustnessTest, ALongNameIsCutBeforeAWholeCharacter) {
    const QString a299(299, QLatin1Char('a'));
    const std::pair<QString, QString> names[] = {
        {a299 + QStringLiteral("\U0001F600"), a299}, // a surrogate pair across the limit
        {a299 + QStringLiteral("e\u0301"), a299},    // a letter and its accent
        {a299 + QStringLiteral("bc"), a299 + QStringLiteral("b")},
    };
    start();
    for (const auto& [name, kept] : names) {
        status().playerName.setText(name);
        openShop();
        press('S');
        EXPECT_EQ(savedName(), kept.toUtf8());
        press('L');
        EXPECT_EQ(status().playerName.text(), kept);
    }
    // A longer name in the file is kept to the same length when loaded.
    backToMenu();
    writeSave(beaNamed(QByteArray(299, 'a') + "\xF0\x9F\x98\x80zzz"));
    press('L');
    EXPECT_EQ(status().playerName.text(), a299);
}

TEST_F(SaveRobustnessTest, ANameInTheClassicCodePageLoadsAsWrittenAndIsSavedInUtf8) {
    const std::pair<QByteArray, QString> names[] = {
        {"Jos\xE9", QStringLiteral("José")},
        {"Jos\xC3\xA9", QStringLiteral("José")}, // UTF-8
        {"\x93Z\xF6\xEB\x94 \x80", QStringLiteral("“Zöë” €")},
    };
    for (const auto& [bytes, name] : names) {
        if (game.boardWindow())
            backToMenu();
        writeSave(beaNamed(bytes));
        press('L');
        game.advance(10);
        EXPECT_EQ(status().playerName.text(), name);
        openShop();
        press('S');
        EXPECT_EQ(savedName(), name.toUtf8());
    }
}

TEST_F(SaveRobustnessTest, HelpThatNoBrowserTakesShowsWhereThePageIs) {
    platform.addressOpens = false;
    press('H');
    start();
    openShop();
    press('H');
    const QString message =
        QStringLiteral("The help page could not be opened in a browser. Open it yourself:\n") +
        QDir(programDir.path()).filePath(QStringLiteral("help/index.html"));
    EXPECT_EQ(platform.messages, (std::vector<QString>{message, message}));
    platform.addressOpens = true;
    press('H');
    EXPECT_EQ(platform.messages.size(), 2u);
}
