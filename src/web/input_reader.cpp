#include "web/input_reader.h"

#include <QJsonDocument>
#include <QMetaObject>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

// No message of the server's comes near this.
constexpr qsizetype kLongestLine = 1 << 20;

} // namespace

std::optional<QJsonObject> messageOf(const QByteArray& line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        !document.object().value(QLatin1String("t")).isString())
        return std::nullopt;
    return document.object();
}

InputReader::InputReader(int fd, Handlers handlers) : fd_(fd), handlers_(std::move(handlers)) {
    if (pipe(wake_) != 0)
        wake_[0] = wake_[1] = -1;
    thread_ = std::thread([this] { read(); });
}

InputReader::~InputReader() {
    if (wake_[1] >= 0)
        static_cast<void>(write(wake_[1], "x", 1));
    thread_.join();
    for (const int end : wake_)
        if (end >= 0)
            close(end);
}

void InputReader::read() {
    QByteArray line;
    bool overlong = false; // the line is dropped up to its end
    char buffer[65536];
    for (;;) {
        pollfd watched[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(watched, wake_[0] >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (watched[1].revents != 0)
            return; // stopped: nothing more is handed on
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        for (const char c : QByteArrayView(buffer, got)) {
            if (c != '\n') {
                overlong = overlong || line.size() >= kLongestLine;
                if (!overlong)
                    line += c;
                continue;
            }
            if (!overlong)
                hand(line);
            line.clear();
            overlong = false;
        }
    }
    if (handlers_.endedAtOnce)
        handlers_.endedAtOnce();
    QMetaObject::invokeMethod(
        &receiver_,
        [this] {
            if (handlers_.ended)
                handlers_.ended();
        },
        Qt::QueuedConnection);
}

void InputReader::hand(const QByteArray& line) {
    std::optional<QJsonObject> message = messageOf(line);
    if (!message || (handlers_.atOnce && handlers_.atOnce(*message)))
        return;
    QMetaObject::invokeMethod(
        &receiver_, [this, taken = std::move(*message)] { handlers_.inTurn(taken); },
        Qt::QueuedConnection);
}
