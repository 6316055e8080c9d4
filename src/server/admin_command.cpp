#include "server/admin_command.h"

#include "server/admin.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QLocalSocket>
#include <cstdio>

namespace {

constexpr int kAnswerMs = 10000;

int fail(const QString& text) {
    std::fprintf(stderr, "vexmoor-server: %s\n", qPrintable(text));
    return 1;
}

} // namespace

std::optional<QJsonObject> adminCommand(const QStringList& words) {
    if (words == QStringList{QStringLiteral("list")})
        return QJsonObject{{QStringLiteral("command"), QStringLiteral("list")}};
    if (words.size() == 2 && words[0] == QLatin1String("end"))
        return QJsonObject{{QStringLiteral("command"), QStringLiteral("end")},
                           {QStringLiteral("game"), words[1]}};
    return std::nullopt;
}

int runAdminCommand(const QString& dataFolder, const QJsonObject& command) {
    QLocalSocket socket;
    socket.connectToServer(adminSocketPath(dataFolder));
    if (!socket.waitForConnected(kAnswerMs)) {
        if (socket.error() == QLocalSocket::ServerNotFoundError ||
            socket.error() == QLocalSocket::ConnectionRefusedError)
            return fail(QStringLiteral("no server runs on %1").arg(dataFolder));
        return fail(QStringLiteral("cannot reach the server on %1: %2")
                        .arg(dataFolder, socket.errorString()));
    }
    socket.write(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n');
    const QDeadlineTimer deadline(kAnswerMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(deadline.remainingTime())) {
    }
    if (!socket.canReadLine())
        return fail(QStringLiteral("the server on %1 did not answer").arg(dataFolder));
    const QJsonObject answer = QJsonDocument::fromJson(socket.readLine()).object();
    const QString text = answer.value(QStringLiteral("text")).toString();
    if (!answer.value(QStringLiteral("ok")).toBool())
        return fail(text);
    if (!text.isEmpty())
        std::printf("%s\n", qPrintable(text));
    return 0;
}
