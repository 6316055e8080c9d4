#include "web_server.h"

#include "child_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>

bool waitUntil(const std::function<bool()>& test, int limitMs) {
    QElapsedTimer timer;
    timer.start();
    // Wakes the wait below now and then to look at the clock.
    QTimer wake;
    wake.start(10);
    while (!test() && timer.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return test();
}

void settle(int ms) {
    waitUntil([] { return false; }, ms);
}

WebServer::WebServer() {
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(QString::fromStdString(programFolder() + "/../vexmoor-server"),
                   {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                    QStringLiteral("--data"), data_.path()});
    process_.waitForStarted();
    waitUntil([this] { return process_.canReadLine() || process_.state() != QProcess::Running; },
              10000);
    const QRegularExpressionMatch address =
        QRegularExpression(QStringLiteral("http://127\\.0\\.0\\.1:\\d+"))
            .match(QString::fromUtf8(process_.readLine()));
    url_ = address.captured();
}

WebServer::~WebServer() {
    process_.terminate();
    process_.waitForFinished(10000);
}

bool WebServer::running() const {
    return process_.state() == QProcess::Running && !url_.isEmpty();
}

QString WebServer::webSocketUrl() const {
    QString ws = url_;
    return ws.replace(QStringLiteral("http://"), QStringLiteral("ws://")) + QStringLiteral("/ws");
}

QByteArray signUp(const WebServer& server, const QString& name, bool signingIn) {
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(server.url() + (signingIn ? QStringLiteral("/api/signin")
                                                           : QStringLiteral("/api/signup"))));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("Origin", server.url().toUtf8());
    const QJsonObject body{{"name", name}, {"password", "a bench password"}};
    QNetworkReply* reply = network.post(request, QJsonDocument(body).toJson());
    waitUntil([reply] { return reply->isFinished(); }, 10000);
    QByteArray cookie;
    for (const QByteArray& line : reply->rawHeader("Set-Cookie").split('\n'))
        if (line.startsWith("vexmoor_session="))
            cookie = line.left(line.indexOf(';'));
    reply->deleteLater();
    return cookie;
}
