#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// Runs the event loop until the test holds or the time is up; the test's result.
bool waitUntil(const std::function<bool()>& test, int limitMs);
// Runs the event loop for a while.
void settle(int ms);

// vexmoor-server, built beside the benchmark, on its own data folder and a port the system picks,
// which the server's first line names with the address to open.
class WebServer {
  public:
    WebServer();
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    // Up, and its address known.
    bool running() const;
    const QString& url() const { return url_; }
    // The address of its WebSocket.
    QString webSocketUrl() const;
    qint64 pid() const { return process_.processId(); }

  private:
    QTemporaryDir data_;
    QProcess process_;
    QString url_;
};

// Signs a player up, or in when signingIn; the session cookie, or nothing.
QByteArray signUp(const WebServer& server, const QString& name, bool signingIn = false);
