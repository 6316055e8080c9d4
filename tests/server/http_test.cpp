#include "server/http_request.h"
#include "server/static_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray head(const QByteArray& lines) {
    return "GET /x HTTP/1.1\r\nHost: h\r\n" + lines + "\r\n";
}

struct ParseRow {
    const char* what;
    QByteArray bytes;
    HttpParse::State state;
    int status; // when refused
};

TEST(RequestParser, TakesWholeRequestsWithinTheirSizesAndRefusesTheRest) {
    using S = HttpParse::State;
    const QByteArray post = "POST /api/signin HTTP/1.1\r\nContent-Length: 5\r\n\r\n";
    const ParseRow rows[] = {
        {"a request", head(""), S::Complete, 0},
        {"a body", post + "12345", S::Complete, 0},
        {"head under way", "GET /x HTTP/1.1\r\nHost:", S::Incomplete, 0},
        {"body under way", post + "123", S::Incomplete, 0},
        {"head of 16 KB unended", "GET /" + QByteArray(16 * 1024, 'a'), S::Refused, 431},
        {"head past 16 KB", head("X: " + QByteArray(16 * 1024, 'a') + "\r\n"), S::Refused, 431},
        {"body past 16 KB", "POST / HTTP/1.1\r\nContent-Length: 16385\r\n\r\n", S::Refused, 413},
        {"huge length", "POST / HTTP/1.1\r\nContent-Length: 99999999999999\r\n\r\n", S::Refused,
         413},
        {"length not a number", "POST / HTTP/1.1\r\nContent-Length: 5x\r\n\r\n12345", S::Refused,
         400},
        {"chunked", head("Transfer-Encoding: chunked\r\n"), S::Refused, 400},
        {"two lengths", head("Content-Length: 0\r\nContent-Length: 0\r\n"), S::Refused, 400},
        {"no version", "GET /x\r\n\r\n", S::Refused, 400},
        {"other version", "GET /x HTTP/2.0\r\n\r\n", S::Refused, 400},
        {"target not a path", "GET x HTTP/1.1\r\n\r\n", S::Refused, 400},
        {"extra space", "GET  /x HTTP/1.1\r\n\r\n", S::Refused, 400},
        {"bare line feed", "GET /x HTTP/1.1\nHost: h\r\n\r\n", S::Refused, 400},
        {"header without colon", head("Host\r\n"), S::Refused, 400},
        {"folded header", head(" folded\r\n"), S::Refused, 400},
        {"control in value", head(QByteArray("X: a\x01") + "\r\n"), S::Refused, 400},
        {"nothing", "\r\n\r\n", S::Refused, 400},
    };
    for (const ParseRow& row : rows) {
        const HttpParse parse = parseRequest(row.bytes);
        EXPECT_EQ(parse.state, row.state) << row.what;
        EXPECT_EQ(parse.status, row.status) << row.what;
    }
}

TEST(RequestParser, ReadsPathHeadersBodyAndCookies) {
    const HttpParse parse = parseRequest(
        "POST /api/signin?x=1 HTTP/1.1\r\nHOST: a:1\r\nCookie: a=1; vexmoor_session=tok\r\n"
        "Content-Length: 2\r\n\r\n{}trailing");
    ASSERT_EQ(parse.state, HttpParse::State::Complete);
    EXPECT_EQ(parse.request.method, "POST");
    EXPECT_EQ(parse.request.path, "/api/signin");
    EXPECT_EQ(parse.request.header("host"), "a:1");
    EXPECT_EQ(parse.request.body, "{}");
    EXPECT_EQ(parse.request.cookie("vexmoor_session"), "tok");
    EXPECT_EQ(parse.request.cookie("session"), "");
}

TEST(RequestParser, OwnOriginIsTheHostAskedFor) {
    struct Row {
        const char* origin;
        const char* host;
        bool own;
    };
    const Row rows[] = {
        {"http://127.0.0.1:8080", "127.0.0.1:8080", true},
        {"https://games.example", "games.example", true},
        {"http://Games.Example", "games.example", true},
        {"http://127.0.0.1:8081", "127.0.0.1:8080", false},
        {"http://evil.example", "127.0.0.1:8080", false},
        {"http://127.0.0.1:8080.evil", "127.0.0.1:8080", false},
        {"null", "127.0.0.1:8080", false},
        {"", "127.0.0.1:8080", false},
        {"http://", "", false},
    };
    for (const Row& row : rows) {
        HttpRequest request;
        if (*row.origin)
            request.headers["origin"] = row.origin;
        request.headers["host"] = row.host;
        EXPECT_EQ(request.fromOwnOrigin(), row.own) << row.origin << " for " << row.host;
    }
}

TEST(StaticFiles, OnlyFilesInsideTheFolder) {
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page"));
    QDir().mkpath(page + QStringLiteral("/sub"));
    QDir().mkpath(page + QStringLiteral("/empty"));
    for (const char* name : {"page/index.html", "page/a b.js", "page/sub/index.html", "secret",
                             "page/.hidden", "pages.txt"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::link(dir.filePath(QStringLiteral("secret")), page + QStringLiteral("/out"));
    QFile::link(dir.path(), page + QStringLiteral("/up"));
    QFile::link(page + QStringLiteral("/a b.js"), page + QStringLiteral("/in.js"));
    struct Row {
        const char* path;
        const char* file; // under the page folder; null: refused
    };
    const Row rows[] = {
        {"", "index.html"},
        {"/", "index.html"},
        {"/a%20b.js", "a b.js"},
        {"/sub", "sub/index.html"},
        {"/sub/", "sub/index.html"},
        {"//sub//index.html", "sub/index.html"},
        {"/in.js", "a b.js"},
        {"/empty", nullptr},
        {"/missing.js", nullptr},
        {"/../secret", nullptr},
        {"/sub/../../secret", nullptr},
        {"/%2e%2e/secret", nullptr},
        {"/%2E%2E%2fsecret", nullptr},
        {"/..%2fpages.txt", nullptr},
        {"/.hidden", nullptr},
        {"/out", nullptr},
        {"/up/secret", nullptr},
        {"/a%00b", nullptr},
        {"/..\\secret", nullptr},
    };
    const QString real = QDir(page).canonicalPath();
    for (const Row& row : rows) {
        const std::optional<QString> found = fileInFolder(page, row.path);
        if (row.file)
            EXPECT_EQ(found.value_or(QStringLiteral("none")),
                      real + QLatin1Char('/') + QLatin1String(row.file))
                << row.path;
        else
            EXPECT_FALSE(found) << row.path << " gave " << qPrintable(*found);
    }
    EXPECT_FALSE(fileInFolder(dir.filePath(QStringLiteral("none")), "/"));
    EXPECT_EQ(contentTypeOf(QStringLiteral("a/app.JS")), "text/javascript; charset=utf-8");
    EXPECT_EQ(contentTypeOf(QStringLiteral("heart.png")), "image/png");
    EXPECT_EQ(contentTypeOf(QStringLiteral("x.exe")), "application/octet-stream");
}

} // namespace
