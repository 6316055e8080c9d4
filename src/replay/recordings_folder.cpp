#include "replay/recordings_folder.h"

#include "replay/journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace recordings {

namespace {

const QString kUnexpected = QStringLiteral("-ended-unexpectedly");

bool isUnexpected(const QString& name) {
    return name.endsWith(kUnexpected + QStringLiteral(".txt"));
}

// The last whole line is an end line: "TIME end ...".
bool hasEnd(const QString& path) {
    constexpr qint64 kTail = 64 * 1024; // far more than an end line
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        !file.seek(std::max<qint64>(0, file.size() - kTail)))
        return false;
    QByteArray tail = file.readAll();
    if (!tail.endsWith('\n'))
        return false;
    tail.chop(1);
    const QList<QByteArray> words = tail.mid(tail.lastIndexOf('\n') + 1).split(' ');
    return words.size() > 1 && words[1] == "end";
}

// Fewer than the header's three whole lines (the format, the clock and the generator): a file
// that a start could not write whole, which holds nothing of a game and cannot be replayed.
bool stopsInHeader(const QString& path) {
    constexpr qint64 kHeader = 4096; // far more than the three lines
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.read(kHeader).count('\n') < 3 && file.atEnd();
}

// The names newest first.
QStringList recorded(const QDir& folder) {
    return folder.entryList({QStringLiteral("game-*.txt")}, QDir::Files,
                            QDir::Name | QDir::Reversed);
}

} // namespace

void setAsideUnfinished(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : recorded(dir)) {
        const QString path = dir.filePath(name);
        Journal left;
        if (!left.claim(path))
            continue;
        if (stopsInHeader(path)) {
            QFile::remove(path);
        } else if (!isUnexpected(name) && !hasEnd(path)) {
            QString aside = name;
            aside.insert(aside.size() - 4, kUnexpected);
            QFile::rename(path, dir.filePath(aside));
        }
    }
}

void prune(const QString& folder) {
    QDir dir(folder);
    int ended = 0, unexpected = 0;
    for (const QString& name : recorded(dir)) {
        const QString path = dir.filePath(name);
        if (isUnexpected(name) ? ++unexpected <= kKept : ++ended <= kKept)
            continue;
        if (isUnexpected(name) || (!Journal::inUse(path) && hasEnd(path)))
            dir.remove(name);
    }
}

} // namespace recordings
