#pragma once

#include <QByteArray>
#include <QString>

// The file a game's recording is written to as it goes. It is made under a name no other copy of
// the game takes (the time, the process and a count, created only if new), held under a lock
// while it is written, and every line reaches the system as it is appended: a program that dies
// leaves its game up to the last event, and the lock tells a file in use from one left behind.
class Journal {
  public:
    Journal() = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal() { close(); }

    // A new file in the folder; false when none can be made.
    bool open(const QString& folder);
    bool isOpen() const { return fd_ >= 0; }
    const QString& path() const { return path_; }

    bool append(const QByteArray& bytes);
    qint64 size() const { return size_; }
    // What the file holds from offset on, and the file cut back to offset.
    QByteArray readFrom(qint64 offset) const;
    bool truncate(qint64 offset);
    // Closes the file and lets go of its lock.
    void close();

    // True while a program holds the file's lock (it is being written).
    static bool inUse(const QString& path);

  private:
    int fd_ = -1;
    QString path_;
    qint64 size_ = 0;
};
