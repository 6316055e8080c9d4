#pragma once

#include <QByteArray>
#include <QString>

// The file a game's recording is written to as it goes. It is made under a name no other copy of
// the game takes (the time, the process and a count, created only if new), held under a lock
// while it is written, and every line reaches the system as it is appended: a program that dies
// leaves its game up to the last event, and the lock tells a file in use from one left behind.
// A file whose header cannot be written whole is removed at once, so a full disk leaves none.
class Journal {
  public:
    Journal() = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal() { close(); }

    // A new file in the folder that begins with the header; false, and no file, when none can be
    // made or the header cannot be written whole.
    bool open(const QString& folder, const QByteArray& header);
    // Holds the lock of a file left behind, so that nothing begins writing it while it is looked
    // at; false while a program holds it (or it cannot be opened).
    bool claim(const QString& path);
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
    // The file open is still the one its path names.
    bool stillNamed() const;

    int fd_ = -1;
    QString path_;
    qint64 size_ = 0;
};
