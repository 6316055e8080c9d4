#include "server/http_request.h"

#include <QList>

namespace {

bool isToken(const QByteArray& text) {
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || QByteArray("!#$%&'*+-.^_`|~").contains(c);
        if (!plain)
            return false;
    }
    return true;
}

bool hasControl(const QByteArray& text) {
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f)
            return true;
    }
    return false;
}

HttpParse refused(int status) {
    HttpParse parse;
    parse.state = HttpParse::State::Refused;
    parse.status = status;
    return parse;
}

} // namespace

bool HttpRequest::fromOwnOrigin() const {
    const QByteArray host = header("host").toLower();
    const QByteArray origin = header("origin").toLower();
    return !host.isEmpty() && (origin == "http://" + host || origin == "https://" + host);
}

QByteArray HttpRequest::cookieIn(const QByteArray& cookies, const QByteArray& name) {
    for (const QByteArray& pair : cookies.split(';')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals).trimmed() == name)
            return pair.mid(equals + 1).trimmed();
    }
    return {};
}

HttpParse parseRequest(const QByteArray& received) {
    const qsizetype headEnd = received.indexOf("\r\n\r\n");
    if (headEnd < 0 || headEnd + 4 > HttpParse::kHeadLimit) {
        if (headEnd >= 0 || received.size() >= HttpParse::kHeadLimit)
            return refused(431);
        return {};
    }
    // Every line ends in CR LF; the last split is the nothing after the last line.
    QList<QByteArray> lines = received.left(headEnd + 2).split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r'))
            return refused(400);
        line.chop(1);
    }
    HttpRequest request;
    const QList<QByteArray> first = lines[0].split(' ');
    if (first.size() != 3 || !isToken(first[0]) || !first[1].startsWith('/') ||
        hasControl(first[1]) || (first[2] != "HTTP/1.1" && first[2] != "HTTP/1.0"))
        return refused(400);
    request.method = first[0];
    request.path = first[1].split('?').first();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (colon <= 0 || !isToken(name) || hasControl(value))
            return refused(400);
        if (request.headers.contains(name) && name != "cookie")
            return refused(400);
        request.headers[name] =
            request.headers.contains(name) ? request.headers[name] + "; " + value : value;
    }
    if (request.headers.contains("transfer-encoding"))
        return refused(400);
    qsizetype length = 0;
    if (request.headers.contains("content-length")) {
        const QByteArray text = request.header("content-length");
        bool digits = !text.isEmpty();
        for (const char c : text)
            digits = digits && c >= '0' && c <= '9';
        if (!digits)
            return refused(400);
        if (text.size() > 9 || text.toLongLong() > HttpParse::kBodyLimit)
            return refused(413);
        length = text.toLongLong();
    }
    if (received.size() < headEnd + 4 + length)
        return {};
    request.body = received.mid(headEnd + 4, length);
    HttpParse parse;
    parse.state = HttpParse::State::Complete;
    parse.request = std::move(request);
    return parse;
}

QString clientAddress(const QHostAddress& peer, const QByteArray& forwardedFor) {
    const QHostAddress forwarded(QString::fromLatin1(forwardedFor.split(',').last().trimmed()));
    return (peer.isLoopback() && !forwarded.isNull() ? forwarded : peer).toString();
}
