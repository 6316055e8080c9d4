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

} // namespace

QString savePath(const ui::Platform& platform) {
    const QDir program(platform.programFolder());
    const QFileInfo folder(program.absolutePath());
    if (installed(program) || !folder.isDir() || !folder.isWritable())
        return QDir(platform.dataFolder()).absoluteFilePath(kFileName);
    return program.absoluteFilePath(kFileName);
}

QString loadPath(const ui::Platform& platform) {
    const QString saving = savePath(platform);
    const QString inProgram = QDir(platform.programFolder()).absoluteFilePath(kFileName);
    const QFileInfo other(
        saving == inProgram ? QDir(platform.dataFolder()).absoluteFilePath(kFileName) : inProgram);
    const QFileInfo current(saving);
    const bool otherIsNewer =
        other.isFile() && (!current.isFile() || other.lastModified() > current.lastModified());
    return otherIsNewer ? other.absoluteFilePath() : saving;
}

} // namespace savefile
