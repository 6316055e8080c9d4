// The browser's game seen from a client of the server on 127.0.0.1: how long a key sent over the
// WebSocket takes to come back as the changed scene, and how many bytes a key costs on the wire.
// The server runs with a data folder of its own; the client signs up, plays N and a name, restores
// its stats with the cheat prompt (so that no fight ends the walk) and sends 100 arrow keys.
#include "child_process.h"
#include "web_server.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QWebSocket>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kKeys = 100;
constexpr int kLeft = 37;
constexpr int kRight = 39;

// A frame's size on the wire: the payload, the header with its length, and the mask of a
// client's frame.
qint64 frameBytes(qint64 payload, bool fromClient) {
    const qint64 header = payload < 126 ? 2 : payload < 65536 ? 4 : 10;
    return payload + header + (fromClient ? 4 : 0);
}

// The page's side of the WebSocket: what it sent and what came back, with the time of the last
// scene.
class Client {
  public:
    Client(const WebServer& server, const QByteArray& cookie) : socket_(server.url()) {
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QByteArray utf8 = text.toUtf8();
            received_ += frameBytes(utf8.size(), false);
            const QJsonObject message = QJsonDocument::fromJson(utf8).object();
            const QString type = message.value(QStringLiteral("t")).toString();
            if (type == QStringLiteral("scene"))
                sceneNs_ = monotonicNs();
            else if (type == QStringLiteral("dialog"))
                ++dialogs_;
        });
        QNetworkRequest request(QUrl(server.webSocketUrl()));
        request.setRawHeader("Cookie", cookie);
        socket_.open(request);
        waitUntil([this] { return socket_.state() == QAbstractSocket::ConnectedState; }, 10000);
    }

    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void send(const QJsonObject& message) {
        const QByteArray utf8 = QJsonDocument(message).toJson(QJsonDocument::Compact);
        sent_ += frameBytes(utf8.size(), true);
        socket_.sendTextMessage(QString::fromUtf8(utf8));
        socket_.flush();
    }
    void key(int code, int character = 0) {
        send({{"t", "key"}, {"code", code}, {"char", character}});
    }
    // Answers the next dialog, which must come within a few seconds.
    bool answer(const QString& text) {
        const int before = dialogs_;
        if (!waitUntil([&] { return dialogs_ > before; }, 5000))
            return false;
        send({{"t", "answer"}, {"ok", true}, {"text", text}});
        return true;
    }
    // Nanoseconds from a key to the scene it brought, or -1 when none came within a second.
    long long timeKey(int code) {
        const long long sentNs = monotonicNs();
        sceneNs_ = 0;
        key(code);
        if (!waitUntil([this] { return sceneNs_ != 0; }, 1000))
            return -1;
        return sceneNs_ - sentNs;
    }
    qint64 wireBytes() const { return sent_ + received_; }

  private:
    QWebSocket socket_;
    long long sceneNs_ = 0;
    int dialogs_ = 0;
    qint64 sent_ = 0;
    qint64 received_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    WebServer server;
    if (!server.running()) {
        std::puts("browser: vexmoor-server did not start");
        return 1;
    }
    const QByteArray cookie = signUp(server, QStringLiteral("Bench"));
    Client client(server, cookie);
    if (cookie.isEmpty() || !client.connected()) {
        std::puts("browser: could not sign up and open the WebSocket");
        return 1;
    }
    client.send({{"t", "play"}});
    settle(1000);
    client.key('N', 'n');
    // The name, then the cheat prompt of the status panel's first caption, "LV:".
    const bool started = client.answer(QStringLiteral("Bench"));
    settle(500);
    client.send({{"t", "click"}, {"window", "m"}, {"x", 300}, {"y", 240}});
    if (!started || !client.answer(QStringLiteral("qyx"))) {
        std::puts("browser: the game asked neither the name nor the cheat code");
        return 1;
    }
    settle(500);

    std::vector<double> latencies;
    std::vector<double> bytes;
    for (int i = 0; i < kKeys; ++i) {
        const qint64 before = client.wireBytes();
        // Right and left, so that the player stays on the board.
        if (const long long ns = client.timeKey(i % 2 ? kLeft : kRight); ns >= 0)
            latencies.push_back(ns / 1e6);
        settle(30); // what else the key brought: the screen reader's words, the games' list
        bytes.push_back(client.wireBytes() - before);
    }
    if (latencies.empty()) {
        std::puts("browser: no key brought a scene back");
        return 1;
    }
    std::printf("browser: a key sent over the WebSocket to its changed scene back on 127.0.0.1: "
                "median %.2f ms, slowest %.2f ms (%zu of %d keys); %.0f bytes per key on the wire "
                "(WebSocket frames both ways, median)\n",
                median(latencies), *std::max_element(latencies.begin(), latencies.end()),
                latencies.size(), kKeys, median(bytes));
    return 0;
}
