#pragma once

#include "server/limits.h"
#include "server/store.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Players' names, passwords and sessions. A name is 1 to 30 characters once trimmed, with no
// control characters, and unique in any case of its letters; a password is 8 to 200 bytes, kept
// only as its Argon2id hash. A session is a random 256-bit token the page keeps in its cookie;
// the database keeps only the token's hash, for 30 days. Wrong passwords are limited by name and
// by address (see limits.h), the refusal the same whether the name is anyone's or not.
class Accounts {
  public:
    static constexpr qint64 kSessionSeconds = 30 * 24 * 3600;

    // What a sign-up or sign-in came to: an HTTP status, and the error or the new session.
    struct Outcome {
        int status = 200;
        QString error;
        QByteArray token;
        QString name; // the player's name as kept
    };

    // Calls sodium_init, which may be called more than once.
    explicit Accounts(Store& store);

    // The name as kept: NFC, without the blanks around it.
    static QString keptName(const QString& typed);
    // What is wrong with a kept name or a password, empty when nothing.
    static QString nameProblem(const QString& name);
    static QString passwordProblem(const QByteArray& password);

    Outcome signUp(const QString& typedName, const QByteArray& password);
    // The address is the player's as the server sees it.
    Outcome signIn(const QString& typedName, const QByteArray& password, const QString& address);
    // The player a session token belongs to, if it is one that has not expired.
    std::optional<PlayerRecord> playerOf(const QByteArray& token);
    void signOut(const QByteArray& token);

    // Times are seconds since the epoch; a test moves them on.
    void setClock(qint64 (*now)()) { now_ = now; }

  private:
    Outcome newSession(const PlayerRecord& player, int status);

    Store& store_;
    qint64 (*now_)();
    WrongPasswords wrongPasswords_;
};
