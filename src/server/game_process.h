#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

// One game process: messages to it as JSON lines on its standard input, its lines back one at a
// time; its log goes to the server's standard error. A line over 4 MB ends it as gone wrong. Where
// the system can confine it, it writes only beneath one folder: its player's, or for a process
// given none (a playback), a temporary folder of its own that goes with it.
class GameProcess {
  public:
    static constexpr qsizetype kLineLimit = 4 * 1024 * 1024;

    // `finished` comes once, when the process has gone: crashed when it died of a signal, exited
    // with a failure, sent too long a line or could not start.
    GameProcess(const QString& program, const QStringList& arguments, const QString& writable,
                std::function<void(const QByteArray& line)> line,
                std::function<void(bool crashed)> finished);
    // A process still running is killed.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    void send(const QJsonObject& message);
    void kill();

  private:
    void readLines();

    std::optional<QTemporaryDir> scratch_; // the temporary folder of a process given none
    QProcess process_;
    QByteArray pending_;
    bool tooLong_ = false;
    std::function<void(const QByteArray&)> line_;
    std::function<void(bool)> finished_;
};
