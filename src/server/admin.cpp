#include "server/admin.h"

#include "server/games.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QSysInfo>

namespace {

constexpr qint64 kCommandBytes = 4096;
constexpr int kProbeMs = 1000;

} // namespace

QString adminSocketPath(const QString& dataFolder) {
    return QStringLiteral("%1/admin-%2.socket").arg(dataFolder, QSysInfo::machineHostName());
}

Admin::Admin(Games& games) : games_(games) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket,
                             [this, socket] { read(socket); });
        }
    });
}

bool Admin::listen(const QString& dataFolder) {
    const QString path = adminSocketPath(dataFolder);
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(kProbeMs)) {
        error_ = QStringLiteral("another server answers at %1").arg(path);
        return false;
    }
    QLocalServer::removeServer(path);
    if (server_.listen(path))
        return true;
    error_ = QStringLiteral("%1: %2").arg(path, server_.errorString());
    return false;
}

void Admin::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kCommandBytes)
            socket->abort();
        return;
    }
    const QJsonObject command = QJsonDocument::fromJson(socket->readLine()).object();
    const QString name = command.value(QStringLiteral("command")).toString();
    const QString id = command.value(QStringLiteral("game")).toString();
    bool ok = true;
    QString text;
    if (name == QLatin1String("list")) {
        qInfo("admin: list");
        text = list();
    } else if (name == QLatin1String("end")) {
        ok = games_.end(id, QStringLiteral("The server's owner ended this game."));
        qInfo("admin: end %s%s", qPrintable(id), ok ? "" : ": no such game");
        text = ok ? QStringLiteral("ended %1").arg(id)
                  : QStringLiteral("there is no game %1 under way").arg(id);
    } else {
        ok = false;
        text = QStringLiteral("no such command");
    }
    const QJsonObject answer{{QStringLiteral("ok"), ok}, {QStringLiteral("text"), text}};
    socket->write(QJsonDocument(answer).toJson(QJsonDocument::Compact) + '\n');
    socket->disconnectFromServer();
}

// One game a line, its fields apart by tabs.
QString Admin::list() const {
    QStringList lines;
    for (const Game* game : games_.underWay()) {
        const QJsonObject& status = game->status();
        const QStringList fields = {
            game->id(),
            game->player().name,
            QStringLiteral("level %1").arg(status.value(QStringLiteral("level")).toInt()),
            QStringLiteral("%1 s left").arg(status.value(QStringLiteral("timeLeft")).toInt()),
            QStringLiteral("%1 watching").arg(game->watchers()),
            QStringLiteral("idle %1 min").arg(game->idleSeconds() / 60)};
        lines.append(fields.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}
