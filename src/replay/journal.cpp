#include "replay/journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

bool Journal::open(const QString& folder, const QByteArray& header) {
    close();
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 0; n < 100; ++n) {
        const QString name = QStringLiteral("game-%1-%2%3.txt")
                                 .arg(stamp)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(n ? QStringLiteral("-%1").arg(n) : QString());
        path_ = QDir(folder).filePath(name);
        fd_ = ::open(QFile::encodeName(path_).constData(),
                     O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
        if (fd_ < 0 && errno == EEXIST)
            continue;
        if (fd_ < 0)
            break;
        const bool locked = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
        if (!locked && errno != EWOULDBLOCK) {
            ::unlink(QFile::encodeName(path_).constData());
            break;
        }
        if (locked && stillNamed()) {
            size_ = 0;
            if (append(header))
                return true;
            ::unlink(QFile::encodeName(path_).constData());
            break;
        }
        // Another copy of the game, looking over the files left behind, holds the new empty file
        // or has removed it: an empty file is its to remove, and this one takes the next name.
        close();
    }
    close();
    path_.clear();
    return false;
}

bool Journal::stillNamed() const {
    struct stat made = {}, named = {};
    return ::fstat(fd_, &made) == 0 && ::stat(QFile::encodeName(path_).constData(), &named) == 0 &&
           made.st_dev == named.st_dev && made.st_ino == named.st_ino;
}

bool Journal::claim(const QString& path) {
    close();
    path_ = path;
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return true;
    close();
    return false;
}

bool Journal::append(const QByteArray& bytes) {
    for (qsizetype done = 0; isOpen() && done < bytes.size();) {
        const ssize_t written =
            ::write(fd_, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
        size_ += written;
    }
    return isOpen();
}

QByteArray Journal::readFrom(qint64 offset) const {
    QByteArray bytes(static_cast<qsizetype>(std::max<qint64>(0, size_ - offset)), '\0');
    qsizetype done = 0;
    while (isOpen() && done < bytes.size()) {
        const ssize_t read = ::pread(fd_, bytes.data() + done,
                                     static_cast<std::size_t>(bytes.size() - done), offset + done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            break;
        done += read;
    }
    bytes.truncate(done);
    return bytes;
}

bool Journal::truncate(qint64 offset) {
    if (!isOpen() || ::ftruncate(fd_, offset) != 0)
        return false;
    size_ = offset;
    return true;
}

void Journal::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool Journal::inUse(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}
