#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <functional>
#include <mutex>

// Where the game process's messages go: one JSON object a line, each written whole and at once,
// whichever thread sends it.
class Outbox {
  public:
    using Write = std::function<void(const QByteArray& line)>;

    explicit Outbox(Write write) : write_(std::move(write)) {}

    void send(const QJsonObject& message);

    // Standard output, flushed after every message.
    static Write standardOutput();

  private:
    std::mutex mutex_;
    Write write_;
};
