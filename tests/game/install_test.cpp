// Where a copy of the game finds its help page: in its build folder, in the prefix it is installed
// in, or in the player's standard data folders.
#include "shell/help.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The standard data folders point into a scratch folder while a test runs.
class DataFolders {
  public:
    explicit DataFolders(const QDir& root)
        : home_(qgetenv("XDG_DATA_HOME")), dirs_(qgetenv("XDG_DATA_DIRS")) {
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", root.filePath(QStringLiteral("system")).toLocal8Bit());
    }
    ~DataFolders() {
        qputenv("XDG_DATA_HOME", home_);
        qputenv("XDG_DATA_DIRS", dirs_);
    }

  private:
    QByteArray home_, dirs_;
};

struct HelpCase {
    const char* name;
    std::vector<const char*> pages; // the copies of the page that exist
    const char* chosen;
};

} // namespace

TEST(InstallTest, TheHelpPageIsFoundBesideTheProgramThenInItsPrefixThenInTheDataFolders) {
    const char* beside = "usr/bin/help/index.html";
    const char* prefix = "usr/share/vexmoor/help/index.html";
    const char* home = "home/vexmoor/help/index.html";
    const char* system = "system/vexmoor/help/index.html";
    const std::vector<HelpCase> cases{
        {"build folder", {beside, prefix, home, system}, beside},
        {"installed copy", {prefix, home, system}, prefix},
        {"player's own data folder", {home, system}, home},
        {"system data folder", {system}, system},
        {"nowhere", {}, beside},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        const DataFolders folders(root);
        ASSERT_TRUE(root.mkpath(QStringLiteral("usr/bin")));
        for (const char* page : c.pages) {
            ASSERT_TRUE(root.mkpath(QFileInfo(root.filePath(page)).path()));
            QFile file(root.filePath(page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(helpPage(root.filePath(QStringLiteral("usr/bin"))), root.filePath(c.chosen));
    }
}
