#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

// One reply, always closing the connection, with the headers that keep a page to its own files:
// a Content-Security-Policy that allows no inline script and nothing from other sites, and no
// guessing of content types.
struct HttpReply {
    int status = 200;
    QByteArray type = "text/plain; charset=utf-8";
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers; // more headers: cookies, downloads
    bool inlineStyles = false; // the help page styles a few letters in place

    static HttpReply json(int status, const QJsonDocument& document);
    // {"error": text}
    static HttpReply error(int status, const QString& text);

    // The bytes on the wire; a HEAD request gets the headers only.
    QByteArray serialized(bool headOnly) const;
};
