#pragma once

#include "server/limits.h"
#include "server/store.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
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
    ~Accounts();
    Accounts(const Accounts&) = delete;
    Accounts& operator=(const Accounts&) = delete;

    // The name as kept: NFC, without the blanks around it.
    static QString keptName(const QString& typed);
    // What is wrong with a kept name or a password, empty when nothing.
    static QString nameProblem(const QString& name);
    static QString passwordProblem(const QByteArray& password);

    // A sign-up or sign-in answers later, on the server's thread: the password's hash is worked
    // out on a thread of its own meanwhile, so that the games go on. With too many waiting, it is
    // refused at once.
    using Done = std::function<void(Outcome)>;
    void signUp(const QString& typedName, const QByteArray& password, Done done);
    // The address is the player's as the server sees it.
    void signIn(const QString& typedName, const QByteArray& password, const QString& address,
                Done done);
    // The player a session token belongs to, if it is one that has not expired.
    std::optional<PlayerRecord> playerOf(const QByteArray& token);
    void signOut(const QByteArray& token);

    // Times are seconds since the epoch; a test moves them on.
    void setClock(qint64 (*now)()) { now_ = now; }

  private:
    Outcome newSession(const PlayerRecord& player, int status);
    // Runs `work` on the hashing thread, then `then` with its result on the server's; false, and
    // neither, when too many wait already.
    bool hashLater(std::function<QByteArray()> work, std::function<void(QByteArray)> then);

    Store& store_;
    qint64 (*now_)();
    WrongPasswords wrongPasswords_;
    int hashesWaiting_ = 0;
    QObject serverThread_; // where the hashes' results come back; with it, those not yet back go
    QThreadPool hashing_;  // declared last, so it goes first, waiting for the hashes under way
};
