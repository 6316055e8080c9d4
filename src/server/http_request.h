#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QString>

// One HTTP/1.x request as the server accepts it: the request line and headers within 16 KB, a
// body only with Content-Length and within 16 KB, nothing chunked.
struct HttpRequest {
    QByteArray method;
    QByteArray path;                       // the target without its query, percent-encoded as sent
    QHash<QByteArray, QByteArray> headers; // names in lower case, values trimmed
    QByteArray body;
    QString address; // the player's, as clientAddress names it

    QByteArray header(const QByteArray& name) const { return headers.value(name); }
    // A page of this server sent it: the Origin is http:// or https:// and the Host asked for.
    bool fromOwnOrigin() const;
    QByteArray cookie(const QByteArray& name) const { return cookieIn(header("cookie"), name); }
    // The value of one cookie in a Cookie header, empty when there is none.
    static QByteArray cookieIn(const QByteArray& cookies, const QByteArray& name);
};

// What the bytes received so far on a connection make.
struct HttpParse {
    static constexpr qsizetype kHeadLimit = 16 * 1024;
    static constexpr qsizetype kBodyLimit = 16 * 1024;

    enum class State { Incomplete, Complete, Refused };
    State state = State::Incomplete;
    HttpRequest request; // when complete
    int status = 0;      // when refused: 400, 413 (body too large) or 431 (head too large)
};

HttpParse parseRequest(const QByteArray& received);

// The player's address: the connection's, or the last one in X-Forwarded-For when the connection
// comes from this machine, where only a reverse proxy the server's owner set up forwards one.
QString clientAddress(const QHostAddress& peer, const QByteArray& forwardedFor);
