#include "server/accounts.h"
#include "server/api.h"
#include "server/games.h"
#include "server/store.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kHost = "127.0.0.1:8080";
const QByteArray kOwn = "http://127.0.0.1:8080";

class ApiTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.open(dir.filePath(QStringLiteral("vexmoor.db"))));
        alice = accounts.signUp(QStringLiteral("Alice"), "password1").token;
        bob = accounts.signUp(QStringLiteral("Bob"), "password1").token;
        const QString recordings = games.folderOf(1) + QStringLiteral("/recordings");
        QDir().mkpath(recordings);
        const QList<QPair<const char*, QByteArray>> files = {
            {"game-1.txt", "recorded\n"},
            {"game-2.txt", "Vexmoor recording 2 1.0\n81520 key 78 78\n98210 end level=5\n"},
            {"game-3.txt", "Vexmoor recording 2 1.0\n98210 end level=5\n81520 key 78 78\n"},
            {"game-4.txt", "Vexmoor recording 2 1.0\n98210 end level=5"},
        };
        for (const auto& [name, text] : files) {
            QFile file(recordings + QLatin1Char('/') + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
    }

    HttpReply ask(const char* method, const char* path, const QByteArray& origin = {},
                  const QByteArray& token = {}, const QByteArray& body = {}) {
        HttpRequest request;
        request.method = method;
        request.path = path;
        request.headers["host"] = kHost;
        if (!origin.isEmpty())
            request.headers["origin"] = origin;
        if (!token.isEmpty())
            request.headers["cookie"] = "other=1; vexmoor_session=" + token;
        request.body = body;
        return api.answer(request).value();
    }

    QTemporaryDir dir;
    Store store;
    Accounts accounts{store};
    Games games{store,
                {QStringLiteral("/bin/false"), dir.filePath(QStringLiteral("players")), 600}};
    Api api{accounts, store, games};
    QByteArray alice;
    QByteArray bob;
};

TEST_F(ApiTest, EachCallAnswersWhomItShould) {
    struct Row {
        const char* method;
        const char* path;
        QByteArray origin;
        const QByteArray* token;
        QByteArray body;
        int status;
        QByteArray inBody;
    };
    const QByteArray none;
    const QByteArray signUp = R"({"name":"Carol","password":"password1"})";
    const Row rows[] = {
        {"POST", "/api/signup", "http://evil.example", &none, signUp, 403, "error"},
        {"POST", "/api/signup", "", &none, signUp, 403, "error"},
        {"POST", "/api/signup", kOwn, &none, signUp, 201, R"({"name":"Carol"})"},
        {"POST", "/api/signup", kOwn, &none, signUp, 409, "That name is taken."},
        {"POST", "/api/signup", kOwn, &none, "not json", 400, "error"},
        {"POST", "/api/signin", kOwn, &none, R"({"name":"alice","password":"password1"})", 200,
         R"({"name":"Alice"})"},
        {"POST", "/api/signin", kOwn, &none, R"({"name":"Alice","password":"password2"})", 401,
         "Wrong name or password."},
        {"GET", "/api/me", "", &alice, "", 200, R"({"name":"Alice"})"},
        {"GET", "/api/me", "", &none, "", 200, R"({"name":null})"},
        {"GET", "/api/recordings", "", &none, "", 401, "error"},
        {"GET", "/api/recordings", "", &alice, "", 200, R"("file":"game-1.txt")"},
        {"GET", "/api/recordings", "", &bob, "", 200, "[]"},
        {"GET", "/api/recordings/game-1.txt", "", &alice, "", 200, "recorded\n"},
        {"GET", "/api/recordings/game-1.txt", "", &bob, "", 404, "error"},
        {"GET", "/api/recordings/..%2F..%2Fvexmoor.db", "", &alice, "", 404, "error"},
        {"GET", "/api/games", "", &none, "", 200, "[]"},
        {"GET", "/api/fame", "", &none, "", 200, "[]"},
        {"DELETE", "/api/me", kOwn, &alice, "", 405, "error"},
        {"POST", "/api/me", kOwn, &alice, "", 405, "error"},
        {"GET", "/api/nothing", "", &none, "", 404, "error"},
    };
    for (const Row& row : rows) {
        const HttpReply reply = ask(row.method, row.path, row.origin, *row.token, row.body);
        EXPECT_EQ(reply.status, row.status) << row.method << ' ' << row.path;
        EXPECT_TRUE(reply.body.contains(row.inBody)) << row.path << ": " << reply.body.data();
    }
}

TEST_F(ApiTest, SessionCookieDownloadAndSafeHeaders) {
    const HttpReply in =
        ask("POST", "/api/signin", kOwn, {}, R"({"name":"Alice","password":"password1"})");
    ASSERT_EQ(in.headers.size(), 2u);
    const QByteArray cookie = in.headers[1].second;
    EXPECT_TRUE(cookie.startsWith("vexmoor_session=")) << cookie.data();
    EXPECT_TRUE(cookie.endsWith("; HttpOnly; SameSite=Strict; Path=/")) << cookie.data();
    const QByteArray token = cookie.mid(16, 64);
    EXPECT_EQ(ask("GET", "/api/me", {}, token).body, R"({"name":"Alice"})");
    const HttpReply out = ask("POST", "/api/signout", kOwn, token);
    EXPECT_TRUE(out.headers[1].second.contains("vexmoor_session=; Max-Age=0"));
    EXPECT_EQ(ask("GET", "/api/me", {}, token).body, R"({"name":null})");
    const HttpReply secure = ask("POST", "/api/signin", "https://127.0.0.1:8080", {},
                                 R"({"name":"Alice","password":"password1"})");
    EXPECT_TRUE(secure.headers[1].second.endsWith("; Secure"));

    // Only a recording whose game wrote its end line is complete.
    QStringList complete;
    for (const QJsonValue recording :
         QJsonDocument::fromJson(ask("GET", "/api/recordings", {}, alice).body).array()) {
        if (recording[QStringLiteral("complete")].toBool())
            complete.append(recording[QStringLiteral("file")].toString());
    }
    EXPECT_EQ(complete, QStringList{QStringLiteral("game-2.txt")});

    const HttpReply download = ask("GET", "/api/recordings/game-1.txt", {}, alice);
    const QByteArray wire = download.serialized(false);
    for (const char* header :
         {"Content-Disposition: attachment; filename=\"game-1.txt\"\r\n",
          "X-Content-Type-Options: nosniff\r\n", "Content-Length: 9\r\n",
          "Content-Security-Policy: default-src 'self'; connect-src 'self' ws: wss:;"})
        EXPECT_TRUE(wire.contains(header)) << header;
    EXPECT_FALSE(wire.contains("unsafe-inline"));
    EXPECT_TRUE(wire.endsWith("\r\n\r\nrecorded\n"));
    EXPECT_TRUE(download.serialized(true).endsWith("\r\n\r\n"));
}

} // namespace
