#include "server/static_files.h"

#include <QDir>
#include <QFileInfo>

std::optional<QString> fileInFolder(const QString& folder, const QByteArray& encodedPath) {
    const QByteArray decoded = QByteArray::fromPercentEncoding(encodedPath);
    if (decoded.contains('\0') || decoded.contains('\\'))
        return std::nullopt;
    QStringList segments;
    for (const QByteArray& segment : decoded.split('/')) {
        if (segment.startsWith('.'))
            return std::nullopt;
        if (!segment.isEmpty())
            segments.append(QString::fromUtf8(segment));
    }
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return std::nullopt;
    QFileInfo file(root + QLatin1Char('/') + segments.join(QLatin1Char('/')));
    if (file.isDir())
        file.setFile(file.filePath() + QStringLiteral("/index.html"));
    const QString real = file.canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(root + QLatin1Char('/')) || !QFileInfo(real).isFile())
        return std::nullopt;
    return real;
}

QByteArray contentTypeOf(const QString& file) {
    static const QList<QPair<QString, QByteArray>> kTypes = {
        {QStringLiteral("html"), "text/html; charset=utf-8"},
        {QStringLiteral("js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("css"), "text/css; charset=utf-8"},
        {QStringLiteral("json"), "application/json"},
        {QStringLiteral("txt"), "text/plain; charset=utf-8"},
        {QStringLiteral("png"), "image/png"},
        {QStringLiteral("svg"), "image/svg+xml"},
        {QStringLiteral("ico"), "image/x-icon"},
        {QStringLiteral("woff2"), "font/woff2"},
    };
    const QString suffix = QFileInfo(file).suffix().toLower();
    for (const auto& [known, type] : kTypes) {
        if (suffix == known)
            return type;
    }
    return "application/octet-stream";
}
