#include "server/http_reply.h"

#include <QJsonObject>

namespace {

QByteArray reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 409:
        return "Conflict";
    case 413:
        return "Content Too Large";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Internal Server Error";
    }
}

} // namespace

HttpReply HttpReply::json(int status, const QJsonDocument& document) {
    HttpReply reply;
    reply.status = status;
    reply.type = "application/json";
    reply.body = document.toJson(QJsonDocument::Compact);
    reply.headers.emplace_back("Cache-Control", "no-store");
    return reply;
}

HttpReply HttpReply::error(int status, const QString& text) {
    return json(status, QJsonDocument(QJsonObject{{QStringLiteral("error"), text}}));
}

QByteArray HttpReply::serialized(bool headOnly) const {
    const QByteArray styles = inlineStyles ? "style-src 'self' 'unsafe-inline'; " : "";
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) + "\r\n";
    out += "Content-Type: " + type + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Content-Security-Policy: default-src 'self'; " + styles +
           "connect-src 'self' ws: wss:; img-src 'self' data:; object-src 'none'; "
           "base-uri 'none'; form-action 'self'; frame-ancestors 'none'\r\n";
    out += "X-Content-Type-Options: nosniff\r\n";
    out += "Referrer-Policy: no-referrer\r\n";
    out += "Connection: close\r\n";
    for (const auto& [name, value] : headers)
        out += name + ": " + value + "\r\n";
    out += "\r\n";
    if (!headOnly)
        out += body;
    return out;
}
