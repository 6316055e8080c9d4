#include "server/api.h"

#include "server/fame.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

namespace {

bool overHttps(const HttpRequest& request) {
    return request.header("origin").startsWith("https://");
}

// The cookie of a session, Secure when the page came over HTTPS.
QByteArray sessionCookie(bool secure, const QByteArray& token, qint64 maxAge) {
    return QByteArray(Api::kCookie) + '=' + token + "; Max-Age=" + QByteArray::number(maxAge) +
           "; HttpOnly; SameSite=Strict; Path=/" + (secure ? "; Secure" : "");
}

// A recording is complete once its game has written its last line, "TIME end STATE": one whose
// game is under way has none yet, nor one whose game process died.
bool hasEndLine(const QString& path) {
    static const QRegularExpression endLine(QStringLiteral("\\n\\d+ end[ \\n]"));
    constexpr qint64 kTail = 16 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(std::max<qint64>(0, file.size() - kTail)))
        return false;
    const QByteArray tail = '\n' + file.readAll();
    const qsizetype lastLine = tail.lastIndexOf('\n', -2);
    return tail.endsWith('\n') && lastLine >= 0 &&
           endLine.match(QString::fromLatin1(tail.mid(lastLine))).capturedStart() == 0;
}

} // namespace

Api::Api(Accounts& accounts, Store& store, Games& games, const GamesBoard* board)
    : accounts_(accounts), store_(store), games_(games), board_(board) {}

bool Api::answer(const HttpRequest& request, const Reply& reply) {
    const QByteArray& path = request.path;
    if (!path.startsWith("/api/"))
        return false;
    const bool signUp = path == "/api/signup";
    if (request.method == "POST" && request.fromOwnOrigin() && (signUp || path == "/api/signin"))
        signUpOrIn(request, signUp, reply);
    else
        reply(answerNow(request));
    return true;
}

HttpReply Api::answerNow(const HttpRequest& request) {
    const QByteArray& path = request.path;
    const bool post = request.method == "POST";
    if (post && !request.fromOwnOrigin())
        return HttpReply::error(403, QStringLiteral("This page is not the server's own."));
    if (path == "/api/signout" && post)
        return signOut(request);
    if (post || (request.method != "GET" && request.method != "HEAD"))
        return HttpReply::error(405, QStringLiteral("Not here."));
    if (path == "/api/me")
        return me(request);
    if (path == "/api/games")
        return HttpReply::json(200, QJsonDocument(board_ ? board_->list() : games_.list()));
    if (path == "/api/fame")
        return hallOfFame();
    if (path == "/api/recordings" || path.startsWith("/api/recordings/")) {
        const std::optional<PlayerRecord> player = accounts_.playerOf(request.cookie(kCookie));
        if (!player)
            return HttpReply::error(401, QStringLiteral("Sign in to see your recordings."));
        if (path == "/api/recordings")
            return recordings(*player);
        return recording(*player, QString::fromUtf8(QByteArray::fromPercentEncoding(
                                      path.mid(sizeof "/api/recordings/" - 1))));
    }
    return HttpReply::error(404, QStringLiteral("Nothing here."));
}

void Api::signUpOrIn(const HttpRequest& request, bool signUp, const Reply& reply) {
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    const QString name = body.value(QStringLiteral("name")).toString();
    const QByteArray password = body.value(QStringLiteral("password")).toString().toUtf8();
    const bool secure = overHttps(request);
    const Accounts::Done done = [reply, signUp, secure](const Accounts::Outcome& outcome) {
        if (!outcome.error.isEmpty())
            return reply(HttpReply::error(outcome.status, outcome.error));
        // Only an account's name, which holds no control character, goes to the log.
        qInfo("%s %s", signUp ? "signed up" : "signed in", qPrintable(outcome.name));
        HttpReply answered = HttpReply::json(
            outcome.status, QJsonDocument(QJsonObject{{QStringLiteral("name"), outcome.name}}));
        answered.headers.emplace_back(
            "Set-Cookie", sessionCookie(secure, outcome.token, Accounts::kSessionSeconds));
        reply(answered);
    };
    if (signUp)
        accounts_.signUp(name, password, done);
    else
        accounts_.signIn(name, password, request.address, done);
}

HttpReply Api::signOut(const HttpRequest& request) {
    accounts_.signOut(request.cookie(kCookie));
    HttpReply reply = HttpReply::json(200, QJsonDocument(QJsonObject{}));
    reply.headers.emplace_back("Set-Cookie", sessionCookie(overHttps(request), "", 0));
    return reply;
}

HttpReply Api::me(const HttpRequest& request) {
    const std::optional<PlayerRecord> player = accounts_.playerOf(request.cookie(kCookie));
    return HttpReply::json(
        200, QJsonDocument(
                 QJsonObject{{QStringLiteral("name"),
                              player ? QJsonValue(player->name) : QJsonValue(QJsonValue::Null)}}));
}

HttpReply Api::hallOfFame() {
    const QString today = games_.today();
    return HttpReply::json(
        200,
        QJsonDocument(QJsonObject{
            {QStringLiteral("day"), today},
            {QStringLiteral("best"), fame::forPage(store_.bestFame(fame::kShown), today)},
            {QStringLiteral("today"), fame::forPage(store_.dayFame(today, fame::kShown), today)}}));
}

HttpReply Api::recordings(const PlayerRecord& player) {
    const QDir folder(games_.folderOf(player.id) + QStringLiteral("/recordings"));
    QJsonArray list;
    for (const QFileInfo& file :
         folder.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time)) {
        list.append(
            QJsonObject{{QStringLiteral("file"), file.fileName()},
                        {QStringLiteral("size"), file.size()},
                        {QStringLiteral("date"), file.lastModified().toUTC().toString(Qt::ISODate)},
                        {QStringLiteral("complete"), hasEndLine(file.filePath())}});
    }
    return HttpReply::json(200, QJsonDocument(list));
}

HttpReply Api::recording(const PlayerRecord& player, const QString& file) {
    const std::optional<QString> path = games_.recording(player.id, file);
    QFile recording(path.value_or(QString()));
    if (!path || !recording.open(QIODevice::ReadOnly))
        return HttpReply::error(404, QStringLiteral("There is no such recording."));
    if (games_.isKept(*path))
        return HttpReply::error(403, QLatin1String(challenge::kFilesKept));
    HttpReply reply;
    reply.body = recording.readAll();
    reply.headers.emplace_back("Content-Disposition",
                               "attachment; filename=\"" + file.toUtf8() + '"');
    return reply;
}
