#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The file a request's path names inside a folder of files to serve: the path percent-decoded,
// no segment starting with a dot (so no ".."), a folder meaning its index.html, and the file's
// real place, symbolic links followed, still inside the folder. Nothing when any of it fails or
// the file is missing.
std::optional<QString> fileInFolder(const QString& folder, const QByteArray& encodedPath);

// The Content-Type of a file to serve, from its name.
QByteArray contentTypeOf(const QString& file);
