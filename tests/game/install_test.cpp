// Where a copy of the game finds its help page: in its build folder, in the prefix it is installed
// in, or in the player's standard data folders; and what the player is told when no browser
// takes it.
#include "game_fixture.h"
#include "shell/help.h"

TEST(Install, TheHelpPageIsFoundBesideTheProgramThenInItsPrefixThenInTheDataFolders) {
    // The program's folder, the folders holding a help/index.html, and the one whose page is taken.
    const std::tuple<QString, QStringList, QString> cases[] = {
        {"usr/bin", {"usr/bin", "usr/share/vexmoor", "home/vexmoor", "system/vexmoor"}, "usr/bin"},
        {"usr/bin", {"usr/share/vexmoor", "home/vexmoor", "system/vexmoor"}, "usr/share/vexmoor"},
        {"usr/games", {"usr/share/vexmoor", "home/vexmoor"}, "usr/share/vexmoor"}, // the package
        {"usr/bin", {"home/vexmoor", "system/vexmoor"}, "home/vexmoor"},
        {"usr/bin", {"system/vexmoor"}, "system/vexmoor"},
        {"usr/bin", {}, "usr/bin"}};
    const QByteArray homeWas = qgetenv("XDG_DATA_HOME"), systemWas = qgetenv("XDG_DATA_DIRS");
    for (const auto& [program, folders, chosen] : cases) {
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("system")));
        root.mkpath(program);
        for (const QString& folder : folders)
            ASSERT_TRUE(
                root.mkpath(folder + "/help") &&
                QFile(root.filePath(folder + "/help/index.html")).open(QIODevice::WriteOnly));
        EXPECT_EQ(helpPage(root.filePath(program)), root.filePath(chosen + "/help/index.html"));
    }
    qputenv("XDG_DATA_HOME", homeWas);
    qputenv("XDG_DATA_DIRS", systemWas);
}

TEST(Install, HelpThatNoBrowserTakesShowsWhereThePageIs) {
    Play play;
    play.platform.addressOpens = false;
    play.playKeys("H"); // from the menu and from the shop
    play.start();
    play.playKeys("Esc H");
    const QString said = "The help page could not be opened in a browser. Open it yourself:\n" +
                         QDir(play.platform.folder).filePath("help/index.html");
    EXPECT_EQ(play.platform.messages, (std::vector<QString>{said, said}));
    play.platform.addressOpens = true;
    play.playKeys("H");
    EXPECT_EQ(play.platform.messages.size(), 2u);
}
