#pragma once

#include "server/accounts.h"
#include "server/api.h"
#include "server/games.h"
#include "server/limits.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QWebSocketServer>

class QTcpSocket;

// The server's door: HTTP on one TCP port for the page's files, the help page and the API, each
// request answered and its connection closed; and the page's WebSocket on /ws, whose request is
// looked at without taking it from the connection, then handed to Qt's WebSocket server. The
// WebSocket must come from a page of this server; its session cookie says who plays. An address
// with too many connections open has the next one closed at once.
class Server {
  public:
    struct Folders {
        QString page;
        QString help;
    };

    Server(Folders folders, Accounts& accounts, Api& api, Games& games);

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const { return tcp_.errorString(); }
    quint16 port() const { return tcp_.serverPort(); }

  private:
    void accepted();
    void readRequest(QTcpSocket* socket);
    // The WebSocket's request, complete and from a page of this server: Qt's WebSocket server
    // takes the connection from here.
    void upgrade(QTcpSocket* socket);
    void webSocketOpened();
    // The page's files and the help page.
    HttpReply servedFile(const HttpRequest& request);
    HttpReply file(const QString& folder, const QByteArray& path, bool helpPage);

    Folders folders_;
    Accounts& accounts_;
    Api& api_;
    Games& games_;
    OpenConnections connections_; // declared first, so it outlives the sockets below
    QTcpServer tcp_;
    QWebSocketServer webSockets_;
};
