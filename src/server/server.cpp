#include "server/server.h"

#include "server/static_files.h"

#include <QFile>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

namespace {

void reply(QTcpSocket* socket, const HttpReply& reply, bool headOnly) {
    socket->write(reply.serialized(headOnly));
    socket->disconnectFromHost();
}

} // namespace

Server::Server(Folders folders, Accounts& accounts, Api& api, Games& games)
    : folders_(std::move(folders)), accounts_(accounts), api_(api), games_(games),
      webSockets_(QStringLiteral("Vexmoor"), QWebSocketServer::NonSecureMode) {
    QObject::connect(&tcp_, &QTcpServer::newConnection, [this] { accepted(); });
    QObject::connect(&webSockets_, &QWebSocketServer::newConnection, [this] { webSocketOpened(); });
}

bool Server::listen(const QHostAddress& address, quint16 port) {
    return tcp_.listen(address, port);
}

void Server::accepted() {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
        const QHostAddress address = socket->peerAddress();
        if (!connections_.open(address)) {
            qInfo("connection refused for an address: too many open");
            socket->abort();
            socket->deleteLater();
            continue;
        }
        QObject::connect(socket, &QObject::destroyed, &tcp_,
                         [this, address] { connections_.closed(address); });
        // A key's scene goes out in several frames: none of them may wait for the page's
        // acknowledgement of the one before.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto* deadline = new QTimer(socket);
        deadline->setObjectName(QStringLiteral("deadline"));
        deadline->setSingleShot(true);
        QObject::connect(deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        deadline->start(limits::kRequestMs);
        QObject::connect(socket, &QTcpSocket::readyRead, socket,
                         [this, socket] { readRequest(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void Server::readRequest(QTcpSocket* socket) {
    const HttpParse parse = parseRequest(socket->peek(socket->bytesAvailable()));
    if (parse.state == HttpParse::State::Incomplete)
        return;
    socket->disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    if (parse.state == HttpParse::State::Refused) {
        qInfo("refused a request: %d", parse.status);
        reply(socket, HttpReply::error(parse.status, QStringLiteral("Bad request.")), false);
        return;
    }
    HttpRequest request = parse.request;
    request.address = clientAddress(socket->peerAddress(), request.header("x-forwarded-for"));
    const bool upgrade = request.header("upgrade").toLower() == "websocket";
    if (request.path == "/ws" && upgrade && request.method == "GET") {
        if (!request.fromOwnOrigin()) {
            qInfo("refused a WebSocket from another origin");
            reply(socket,
                  HttpReply::error(403, QStringLiteral("This page is not the server's own.")),
                  false);
            return;
        }
        this->upgrade(socket);
        return;
    }
    socket->readAll();
    // A sign-in answers later: its connection may have gone meanwhile.
    const Api::Reply send = [socket = QPointer<QTcpSocket>(socket), method = request.method,
                             path = request.path.left(200)](const HttpReply& answered) {
        qInfo("%s %s %d", method.constData(), path.constData(), answered.status);
        if (socket)
            reply(socket, answered, method == "HEAD");
    };
    if (!api_.answer(request, send))
        send(servedFile(request));
}

void Server::upgrade(QTcpSocket* socket) {
    // Qt's WebSocket keeps the socket until the server goes: the WebSocket counts instead.
    QObject::disconnect(socket, &QObject::destroyed, &tcp_, nullptr);
    connections_.closed(socket->peerAddress());
    delete socket->findChild<QTimer*>(QStringLiteral("deadline"));
    socket->disconnect(socket, &QTcpSocket::disconnected, nullptr, nullptr);
    webSockets_.handleConnection(socket);
}

void Server::webSocketOpened() {
    while (QWebSocket* page = webSockets_.nextPendingConnection()) {
        const QHostAddress address = page->peerAddress();
        if (!connections_.open(address)) {
            qInfo("connection refused for an address: too many open");
            page->abort();
            page->deleteLater();
            continue;
        }
        QObject::connect(page, &QWebSocket::disconnected, &tcp_,
                         [this, address] { connections_.closed(address); });
        const std::optional<PlayerRecord> player = accounts_.playerOf(
            HttpRequest::cookieIn(page->request().rawHeader("Cookie"), Api::kCookie));
        qInfo("a page connected%s", player ? " signed in" : "");
        games_.addPage(page, player);
    }
}

HttpReply Server::servedFile(const HttpRequest& request) {
    if (request.method != "GET" && request.method != "HEAD")
        return HttpReply::error(405, QStringLiteral("Not here."));
    if (request.path == "/help" || request.path.startsWith("/help/"))
        return file(folders_.help, request.path.mid(5), true);
    return file(folders_.page, request.path, false);
}

HttpReply Server::file(const QString& folder, const QByteArray& path, bool helpPage) {
    const std::optional<QString> found = fileInFolder(folder, path);
    QFile file(found.value_or(QString()));
    if (!found || !file.open(QIODevice::ReadOnly)) {
        HttpReply missing;
        missing.status = 404;
        missing.body = "Not found.\n";
        return missing;
    }
    HttpReply reply;
    reply.type = contentTypeOf(*found);
    reply.body = file.readAll();
    reply.inlineStyles = helpPage;
    return reply;
}
