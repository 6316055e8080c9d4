#include "server/store.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

constexpr int kSchemaVersion = 1;

const QStringList kSchema = {
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE players (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "name TEXT NOT NULL, folded TEXT NOT NULL UNIQUE, hash TEXT NOT NULL, "
                   "made TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE sessions (token_hash TEXT PRIMARY KEY, "
                   "player INTEGER NOT NULL REFERENCES players(id), expires INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE fame (serial INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "player INTEGER NOT NULL REFERENCES players(id), name TEXT NOT NULL, "
                   "level INTEGER NOT NULL, ending TEXT NOT NULL, continues INTEGER NOT NULL, "
                   "cheated INTEGER NOT NULL, date TEXT NOT NULL)"),
    QStringLiteral("CREATE INDEX fame_order ON fame (level DESC, date, serial)"),
};

// Names are the same player's in any case of their letters.
QString folded(const QString& name) {
    return name.toCaseFolded();
}

PlayerRecord playerFrom(const QSqlQuery& query) {
    return {query.value(0).toInt(), query.value(1).toString(), query.value(2).toByteArray()};
}

} // namespace

Store::Store()
    : connection_(QStringLiteral("vexmoor-store-%1").arg(reinterpret_cast<quintptr>(this))) {}

Store::~Store() {
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

bool Store::run(QSqlQuery& query) {
    if (query.exec())
        return true;
    error_ = query.lastError().text();
    return false;
}

bool Store::open(const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(file);
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    pragma.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    if (db.tables().contains(QStringLiteral("schema_version"))) {
        QSqlQuery version(db);
        version.prepare(QStringLiteral("SELECT version FROM schema_version"));
        if (!run(version))
            return false;
        if (version.next() && version.value(0).toInt() == kSchemaVersion)
            return true;
        error_ = QStringLiteral("the database is of another version of the server");
        return false;
    }
    db.transaction();
    for (const QString& statement : kSchema) {
        QSqlQuery query(db);
        query.prepare(statement);
        if (!run(query)) {
            db.rollback();
            return false;
        }
    }
    QSqlQuery version(db);
    version.prepare(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
    version.addBindValue(kSchemaVersion);
    if (!run(version)) {
        db.rollback();
        return false;
    }
    return db.commit();
}

std::optional<int> Store::addPlayer(const QString& name, const QByteArray& hash) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(
        QStringLiteral("INSERT INTO players (name, folded, hash, made) VALUES (?, ?, ?, ?)"));
    query.addBindValue(name);
    query.addBindValue(folded(name));
    query.addBindValue(QString::fromLatin1(hash));
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    if (!run(query))
        return std::nullopt;
    return query.lastInsertId().toInt();
}

std::optional<PlayerRecord> Store::playerNamed(const QString& name) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("SELECT id, name, hash FROM players WHERE folded = ?"));
    query.addBindValue(folded(name));
    if (!run(query) || !query.next())
        return std::nullopt;
    return playerFrom(query);
}

void Store::addSession(const QByteArray& tokenHash, int player, qint64 expires) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(
        QStringLiteral("INSERT INTO sessions (token_hash, player, expires) VALUES (?, ?, ?)"));
    query.addBindValue(QString::fromLatin1(tokenHash));
    query.addBindValue(player);
    query.addBindValue(expires);
    run(query);
}

std::optional<PlayerRecord> Store::sessionPlayer(const QByteArray& tokenHash, qint64 now) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("SELECT players.id, players.name, players.hash FROM sessions "
                                 "JOIN players ON players.id = sessions.player "
                                 "WHERE sessions.token_hash = ? AND sessions.expires > ?"));
    query.addBindValue(QString::fromLatin1(tokenHash));
    query.addBindValue(now);
    if (!run(query) || !query.next())
        return std::nullopt;
    return playerFrom(query);
}

void Store::removeSession(const QByteArray& tokenHash) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("DELETE FROM sessions WHERE token_hash = ?"));
    query.addBindValue(QString::fromLatin1(tokenHash));
    run(query);
}

void Store::removeExpiredSessions(qint64 now) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("DELETE FROM sessions WHERE expires <= ?"));
    query.addBindValue(now);
    run(query);
}

int Store::enterFame(const FameRow& row) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("INSERT INTO fame (player, name, level, ending, continues, "
                                 "cheated, date) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(row.player), QVariant(row.name), QVariant(row.level), QVariant(row.ending),
          QVariant(row.continues), QVariant(row.cheated ? 1 : 0), QVariant(row.date)})
        query.addBindValue(value);
    if (!run(query))
        return 0;
    return query.lastInsertId().toInt();
}

bool Store::updateFame(const FameRow& row) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("UPDATE fame SET name = ?, level = ?, ending = ?, continues = ?, "
                                 "cheated = ?, date = ? WHERE serial = ? AND player = ?"));
    for (const QVariant& value : {QVariant(row.name), QVariant(row.level), QVariant(row.ending),
                                  QVariant(row.continues), QVariant(row.cheated ? 1 : 0),
                                  QVariant(row.date), QVariant(row.serial), QVariant(row.player)})
        query.addBindValue(value);
    return run(query) && query.numRowsAffected() == 1;
}

std::vector<FameRow> Store::bestFame(int count) {
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(QStringLiteral("SELECT serial, player, name, level, ending, continues, cheated, "
                                 "date FROM fame ORDER BY level DESC, date, serial LIMIT ?"));
    query.addBindValue(count);
    std::vector<FameRow> rows;
    if (!run(query))
        return rows;
    while (query.next()) {
        rows.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString(),
                        query.value(3).toInt(), query.value(4).toString(), query.value(5).toInt(),
                        query.value(6).toInt() != 0, query.value(7).toString()});
    }
    return rows;
}
