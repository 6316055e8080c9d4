#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <functional>
#include <optional>
#include <thread>

// A line of the server's as a message: a JSON object with a type; nothing for anything else.
std::optional<QJsonObject> messageOf(const QByteArray& line);

// The server's messages, read from a file descriptor (standard input) on a thread of their own,
// so that a reply the game's thread waits for reaches it: each message is offered there first,
// and the rest go to the thread that made the reader, in order. A line that is no message, or
// longer than any message, is dropped.
class InputReader {
  public:
    struct Handlers {
        // On the reading thread: true when it took the message.
        std::function<bool(const QJsonObject&)> atOnce;
        // On the thread that made the reader, one at a time.
        std::function<void(const QJsonObject&)> inTurn;
        // The input ended: first on the reading thread, then in turn.
        std::function<void()> endedAtOnce, ended;
    };

    InputReader(int fd, Handlers handlers);
    // Stops reading; nothing more is handed on.
    ~InputReader();
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

  private:
    void read();
    void hand(const QByteArray& line);

    int fd_;
    Handlers handlers_;
    QObject receiver_;
    int wake_[2] = {-1, -1}; // written to stop the reading thread
    std::thread thread_;
};
