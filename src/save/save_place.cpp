#include "save/save_place.h"

#include "ui/platform.h"

#include <QDir>
#include <QFileInfo>

namespace savefile {

namespace {

const QString kFileName = QStringLiteral("Save.ini");

// The program in bin/ of a prefix, or in games/ as Debian's package puts it, beside share/vexmoor.
bool installed(const QDir& programFolder) {
    const QString folder = programFolder.dirName();
    return (folder == QLatin1String("bin") || folder == QLatin1String("games")) &&
           QFileInfo(programFolder.filePath(QStringLiteral("../share/vexmoor"))).isDir();
}

// The save in the data folder; none when there is no data folder (no home).
QString inDataFolder(const ui::Platform& platform) {
    const QString folder = platform.dataFolder();
    return folder.isEmpty() ? QString() : QDir(folder).absoluteFilePath(kFileName);
}

} // namespace

QString savePath(const ui::Platform& platform) {
    const QDir program(platform.programFolder());
    const QFileInfo folder(program.absolutePath());
    if (installed(program) || !folder.isDir() || !folder.isWritable())
        return inDataFolder(platform);
    return program.absoluteFilePath(kFileName);
}

QString loadPath(const ui::Platform& platform) {
    const QString saving = savePath(platform);
    const QString inProgram = QDir(platform.programFolder()).absoluteFilePath(kFileName);
    const QFileInfo other(saving == inProgram ? inDataFolder(platform) : inProgram);
    const QFileInfo current(saving);
    const bool otherIsNewer =
        other.isFile() && (!current.isFile() || other.lastModified() > current.lastModified());
    return otherIsNewer ? other.absoluteFilePath() : saving;
}

} // namespace savefile
