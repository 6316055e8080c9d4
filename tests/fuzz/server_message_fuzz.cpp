// The server's parsers under fuzzing: the bytes as an HTTP request arriving in pieces, and as the
// text of a page's WebSocket message. A request is judged at the first piece that completes or
// refuses it, and that verdict is the one the whole bytes get: what follows it never changes it.
#include "server/games.h"
#include "server/http_request.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

bool sameVerdict(const HttpParse& a, const HttpParse& b) {
    return a.state == b.state && a.status == b.status && a.request.method == b.request.method &&
           a.request.path == b.request.path && a.request.headers == b.request.headers &&
           a.request.body == b.request.body;
}

void checkComplete(const HttpRequest& request) {
    check(!request.method.isEmpty() && request.path.startsWith('/'), "a request without a target");
    check(request.body.size() <= HttpParse::kBodyLimit, "a body over the limit");
    for (auto header = request.headers.cbegin(); header != request.headers.cend(); ++header)
        check(header.key() == header.key().toLower(), "a header name not in lower case");
    // What the server asks of every request it takes.
    request.fromOwnOrigin();
    request.cookie("vexmoor_session");
    const QHostAddress proxy(QHostAddress::LocalHost), player(QStringLiteral("192.0.2.7"));
    clientAddress(proxy, request.header("x-forwarded-for"));
    check(clientAddress(player, request.header("x-forwarded-for")) == player.toString(),
          "an address forwarded by someone other than this machine was believed");
}

// The bytes as they might arrive: pieces of one size the first byte chooses, each time parsed
// with all received before it, as the server peeks at its connection.
void request(const QByteArray& bytes) {
    const HttpParse whole = parseRequest(bytes);
    check(whole.state != HttpParse::State::Refused ||
              (whole.status == 400 || whole.status == 413 || whole.status == 431),
          "a refusal with an unknown status");
    if (whole.state == HttpParse::State::Complete)
        checkComplete(whole.request);
    const qsizetype piece = bytes.isEmpty() ? 1 : static_cast<unsigned char>(bytes[0]) % 64 + 1;
    for (qsizetype received = piece; received < bytes.size(); received += piece) {
        const HttpParse part = parseRequest(bytes.left(received));
        if (part.state != HttpParse::State::Incomplete) {
            check(sameVerdict(part, whole), "more bytes changed a request already judged");
            return;
        }
    }
}

// The text as a page sends it: an object, or nothing that closes the page.
void message(const QByteArray& bytes) {
    const std::optional<QJsonObject> parsed = pageMessage(QString::fromUtf8(bytes));
    if (parsed)
        parsed->value(QStringLiteral("t")).toString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    request(bytes);
    message(bytes);
    return 0;
}
