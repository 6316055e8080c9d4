#pragma once

#include <QJsonObject>
#include <QStringList>
#include <optional>

// `vexmoor-server --admin list` and `--admin end GAME`: the command's words as the admin socket
// takes them, or nothing when they are not a command.
std::optional<QJsonObject> adminCommand(const QStringList& words);

// Sends the command to the server on the data folder and prints its answer: the exit status, 0
// when done, 1 when refused or when no server runs there.
int runAdminCommand(const QString& dataFolder, const QJsonObject& command);
