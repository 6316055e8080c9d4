#pragma once
// What the server's tests share: a stand-in game process, a page over the WebSocket, and files.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWebSocket>
#include <functional>
#include <gtest/gtest.h>

// A stand-in game process: it notes its arguments and what it hears in its folder and answers as a
// game would. The key F ends a game for the hall of fame with the serial in the key's "char" (and
// the seed of --seed or --challenge, marked with the day 2026-12-08); K kills it; L makes it send a
// line of 5 MB; D asks a question, which the game asks again after a full scene; T sends a title.
inline constexpr char kFakeGame[] = R"(#!/bin/sh
folder=$2
echo "$@" >> "$folder/arguments"
case "$3" in --seed|--challenge) seed=',"seed":"'$4'","day":"2026-12-08"' ;; esac
while IFS= read -r line; do
  printf '%s\n' "$line" >> "$folder/heard"
  case "$line" in
    *'"snapshot"'*) echo '{"t":"scene","full":true,"order":["m"],"windows":{}}'
      [ -e "$folder/asking" ] && echo '{"t":"dialog","kind":"prompt","text":"Name?"}' ;;
    *'"code":68'*) touch "$folder/asking"; echo '{"t":"dialog","kind":"prompt","text":"Name?"}' ;;
    *'"answer"'*) rm "$folder/asking"; echo '{"t":"dialogDone"}' ;;
    *'"code":70'*) serial=$(echo "$line" | sed 's/.*"char":\([0-9]*\).*/\1/')
      echo '{"t":"fame","game":1,"name":"Al","level":4,"ending":"hole","continues":0,"cheated":false,"date":"2026-12-07","serial":'"$serial$seed"'}' ;;
    *'"code":84'*) echo '{"t":"title","text":"Vexmoor — a title"}' ;;
    *'"code":75'*) kill -9 $$ ;;
    *'"code":76'*) head -c 5000000 /dev/zero | tr '\0' x; echo ;;
    *'"key"'*) echo '{"t":"status","level":3,"timeLeft":140}'
      echo '{"t":"scene","order":["m"],"windows":{}}' ;;
    *'"t":"end"'*) exit 0 ;;
  esac
done
)";

inline bool waitFor(const std::function<bool()>& done, int limitMs = 10000) {
    const QDeadlineTimer deadline(limitMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A page over the WebSocket, of the server's own origin unless told, keeping what it was sent.
struct Page {
    explicit Page(quint16 port, const QByteArray& token = {}, const QString& origin = {},
                  const QString& host = "127.0.0.1")
        : socket(origin.isEmpty() ? QString("http://%1:%2").arg(host).arg(port) : origin) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            received.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        QObject::connect(&socket, &QWebSocket::stateChanged,
                         [this] { gone = socket.state() == QAbstractSocket::UnconnectedState; });
        QNetworkRequest request(QUrl(QString("ws://%1:%2/ws").arg(host).arg(port)));
        if (!token.isEmpty())
            request.setRawHeader("Cookie", "vexmoor_session=" + token);
        socket.open(request);
        waitFor([this] { return gone || socket.state() == QAbstractSocket::ConnectedState; });
    }
    void send(const QJsonObject& message) {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }
    bool play() {
        send({{"t", "play"}});
        return waitNews("joined scene(full)");
    }
    void watch(const QString& expected = "joined scene(full)") {
        send({{"t", "watch"}, {"game", "g1"}});
        waitNews(expected);
    }
    void key(int code, int character = 0) {
        send({{"t", "key"}, {"code", code}, {"char", character}});
    }
    // Waits for these messages after those seen before: their types, "(full)" and texts.
    bool waitNews(const QString& expected) {
        QStringList got;
        waitFor([&] {
            for (; seen < received.size(); ++seen) {
                const QJsonObject& message = received[seen];
                got << message["t"].toString() + (message["full"].toBool() ? "(full)" : "") +
                           (message.contains("text") ? '(' + message["text"].toString() + ')' : "");
            }
            return got.join(' ').size() >= expected.size();
        });
        EXPECT_EQ(got.join(' ').toStdString(), expected.toStdString());
        return got.join(' ') == expected;
    }

    QWebSocket socket;
    QList<QJsonObject> received;
    qsizetype seen = 0;
    bool gone = false;
};

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the statements on an SQLite database as another program would.
inline void runSql(const QString& file, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString& statement : statements)
            ASSERT_TRUE(QSqlQuery(db).exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase("other");
}

// Writes the stand-in game into the folder and names it.
inline QString fakeGame(const QTemporaryDir& dir) {
    const QString path = dir.filePath("fake-game");
    writeFile(path, kFakeGame);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}
