#pragma once

#include <QLocalServer>
#include <QString>

class Games;
class QLocalSocket;

// Where the server on a data folder takes its owner's commands: a local socket in the folder,
// named after the machine, as servers on several machines may share the folder.
QString adminSocketPath(const QString& dataFolder);

// The server's owner's controls: the admin socket, which only the server's own user may open,
// takes one command a connection, a JSON object on one line, and answers one line,
// {"ok":true|false,"text":"…"}: {"command":"list"} lists the games under way, and
// {"command":"end","game":"g5"} ends one as the server's end does.
class Admin {
  public:
    explicit Admin(Games& games);
    // Listens at the data folder's admin socket, replacing the file a server that died left. False,
    // with errorString, when another server of this machine answers there or it cannot be made.
    bool listen(const QString& dataFolder);
    QString errorString() const { return error_; }

  private:
    void read(QLocalSocket* socket);
    QString list() const;

    Games& games_;
    QLocalServer server_;
    QString error_;
};
