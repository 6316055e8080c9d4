#include "server/http_request.h"
#include "server/limits.h"
#include "server/static_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray head(const QByteArray& lines) {
    return "GET /x HTTP/1.1\r\nHost: h\r\n" + lines + "\r\n";
}

TEST(RequestParser, TakesWholeRequestsWithinTheirSizesAndRefusesTheRest) {
    using S = HttpParse::State;
    const auto post = [](const QByteArray& length) {
        return "POST /api/signin HTTP/1.1\r\nContent-Length: " + length + "\r\n\r\n";
    };
    const struct {
        const char* what;
        QByteArray bytes;
        S state;
        int status; // when refused
    } rows[] = {
        {"a request", head(""), S::Complete, 0},
        {"a body", post("5") + "12345", S::Complete, 0},
        {"a body of 16 KB", post("16384") + QByteArray(16384, 'b'), S::Complete, 0},
        {"head under way", "GET /x HTTP/1.1\r\nHost:", S::Incomplete, 0},
        {"body under way", post("5") + "123", S::Incomplete, 0},
        {"head of 16 KB unended", "GET /" + QByteArray(16 * 1024, 'a'), S::Refused, 431},
        {"head past 16 KB", head("X: " + QByteArray(16 * 1024, 'a') + "\r\n"), S::Refused, 431},
        {"body past 16 KB", post("16385"), S::Refused, 413},
        {"huge length", post("99999999999999"), S::Refused, 413},
        {"length not a number", post("5x") + "12345", S::Refused, 400},
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
    for (const auto& row : rows) {
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
    const struct {
        const char *origin, *host;
        bool own;
    } rows[] = {{"http://127.0.0.1:8080", "127.0.0.1:8080", true},
                {"https://games.example", "games.example", true},
                {"http://Games.Example", "games.example", true},
                {"http://127.0.0.1:8081", "127.0.0.1:8080", false},
                {"http://evil.example", "127.0.0.1:8080", false},
                {"http://127.0.0.1:8080.evil", "127.0.0.1:8080", false},
                {"null", "127.0.0.1:8080", false},
                {"", "127.0.0.1:8080", false},
                {"http://", "", false}};
    for (const auto& row : rows) {
        HttpRequest request;
        if (*row.origin)
            request.headers["origin"] = row.origin;
        request.headers["host"] = row.host;
        EXPECT_EQ(request.fromOwnOrigin(), row.own) << row.origin << " for " << row.host;
    }
}

TEST(RequestParser, TheAddressIsForwardedOnlyByThisMachine) {
    const struct {
        const char *peer, *forwarded, *address;
    } rows[] = {{"192.0.2.1", "", "192.0.2.1"},
                {"192.0.2.1", "198.51.100.1", "192.0.2.1"},
                {"127.0.0.1", "", "127.0.0.1"},
                {"127.0.0.1", "198.51.100.1", "198.51.100.1"},
                {"::1", "10.0.0.1, 198.51.100.1", "198.51.100.1"},
                {"127.0.0.1", "198.51.100.1, not an address", "127.0.0.1"}};
    for (const auto& row : rows)
        EXPECT_EQ(clientAddress(QHostAddress(row.peer), row.forwarded), row.address) << row.peer;
}

TEST(OpenConnectionsCount, ByAddressAndNotFromThisMachine) {
    OpenConnections open;
    const QHostAddress one("192.0.2.1"), other("192.0.2.2"), here("127.0.0.1");
    for (int i = 0; i < limits::kConnectionsPerAddress; ++i) {
        EXPECT_TRUE(open.open(one));
        EXPECT_TRUE(open.open(here));
    }
    EXPECT_FALSE(open.open(one));
    EXPECT_TRUE(open.open(other));
    EXPECT_TRUE(open.open(here));
    open.closed(one);
    EXPECT_TRUE(open.open(one));
    EXPECT_FALSE(open.open(one));
}

TEST(StaticFiles, OnlyFilesInsideTheFolder) {
    QTemporaryDir dir;
    const QString page = dir.filePath("page");
    QDir().mkpath(page + "/sub");
    QDir().mkpath(page + "/empty");
    for (const char* name : {"page/index.html", "page/a b.js", "page/sub/index.html", "secret",
                             "page/.hidden", "pages.txt"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::link(dir.filePath("secret"), page + "/out");
    QFile::link(dir.path(), page + "/up");
    QFile::link(page + "/a b.js", page + "/in.js");
    const QString real = QDir(page).canonicalPath() + '/';
    const std::pair<const char*, const char*> found[] = {
        {"", "index.html"},          {"/", "index.html"},
        {"/a%20b.js", "a b.js"},     {"/sub", "sub/index.html"},
        {"/sub/", "sub/index.html"}, {"//sub//index.html", "sub/index.html"},
        {"/in.js", "a b.js"}};
    for (const auto& [path, file] : found)
        EXPECT_EQ(fileInFolder(page, path).value_or("none"), real + file) << path;
    for (const char* path : {"/empty", "/missing.js", "/../secret", "/sub/../../secret",
                             "/%2e%2e/secret", "/%2E%2E%2fsecret", "/..%2fpages.txt", "/.hidden",
                             "/out", "/up/secret", "/a%00b", "/..\\secret"})
        EXPECT_FALSE(fileInFolder(page, path)) << path;
    EXPECT_FALSE(fileInFolder(dir.filePath("none"), "/"));
    EXPECT_EQ(contentTypeOf("a/app.JS"), "text/javascript; charset=utf-8");
    EXPECT_EQ(contentTypeOf("heart.png"), "image/png");
    EXPECT_EQ(contentTypeOf("x.exe"), "application/octet-stream");
}

} // namespace
