#include "server/accounts.h"

#include <QDateTime>
#include <sodium.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

qint64 systemNow() {
    return QDateTime::currentSecsSinceEpoch();
}

QByteArray tokenHash(const QByteArray& token) {
    unsigned char hash[crypto_generichash_BYTES];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(token.data()),
                       static_cast<unsigned long long>(token.size()), nullptr, 0);
    return QByteArray(reinterpret_cast<const char*>(hash), sizeof hash).toHex();
}

QByteArray passwordHash(const QByteArray& password) {
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), static_cast<unsigned long long>(password.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QByteArray(hash);
}

bool passwordMatches(const QByteArray& hash, const QByteArray& password) {
    return crypto_pwhash_str_verify(hash.constData(), password.data(),
                                    static_cast<unsigned long long>(password.size())) == 0;
}

const QString kWrongNameOrPassword = QStringLiteral("Wrong name or password.");
constexpr int kHashingNiceness = 10;

const QString kNoDatabase =
    QStringLiteral("The server cannot reach its database; try again in a moment.");
const QString kBusy = QStringLiteral("The server is busy; try again in a moment.");
const QString kTooManyAttempts = QStringLiteral("Too many attempts; wait a minute and try again.");

} // namespace

Accounts::Accounts(Store& store) : store_(store), now_(systemNow) {
    if (sodium_init() < 0)
        qFatal("libsodium cannot start");
    // Each hash takes a core and 64 MB for a tenth of a second: one at a time leaves the other
    // cores to the games.
    hashing_.setMaxThreadCount(1);
}

Accounts::~Accounts() {
    hashing_.clear();
}

QString Accounts::keptName(const QString& typed) {
    return typed.normalized(QString::NormalizationForm_C).trimmed();
}

QString Accounts::nameProblem(const QString& name) {
    const QList<uint> characters = name.toUcs4();
    if (characters.isEmpty() || characters.size() > 30)
        return QStringLiteral("A name has 1 to 30 characters.");
    for (const uint c : characters) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Surrogate ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            return QStringLiteral("A name cannot hold control characters.");
    }
    return {};
}

QString Accounts::passwordProblem(const QByteArray& password) {
    if (password.size() < 8 || password.size() > 200)
        return QStringLiteral("A password has 8 to 200 bytes.");
    return {};
}

void Accounts::signUp(const QString& typedName, const QByteArray& password, Done done) {
    const QString name = keptName(typedName);
    QString problem = nameProblem(name);
    if (problem.isEmpty())
        problem = passwordProblem(password);
    if (!problem.isEmpty())
        return done({400, problem, {}, {}});
    const bool started = hashLater(
        [password] { return passwordHash(password); },
        [this, name, done](const QByteArray& hash) {
            if (hash.isEmpty())
                return done(
                    {500, QStringLiteral("The server could not keep the password."), {}, {}});
            const std::optional<int> id = store_.addPlayer(name, hash);
            // No new player and no player of that name: the database did not answer.
            if (!id && !store_.playerNamed(name))
                return done({503, kNoDatabase, {}, {}});
            if (!id)
                return done({409, QStringLiteral("That name is taken."), {}, {}});
            done(newSession({*id, name, hash}, 201));
        });
    if (!started)
        done({503, kBusy, {}, {}});
}

void Accounts::signIn(const QString& typedName, const QByteArray& password, const QString& address,
                      Done done) {
    const QString name = keptName(typedName);
    const qint64 now = now_();
    if (const char* refusedFor = wrongPasswords_.refusal(name, address, now)) {
        qInfo("sign-in refused for %s: too many attempts", refusedFor);
        return done({429, kTooManyAttempts, {}, {}});
    }
    // Counted wrong until it proves right, so that attempts made at once meet the limit too.
    wrongPasswords_.add(name, address, now);
    const std::optional<PlayerRecord> player = store_.playerNamed(name);
    if (!passwordProblem(password).isEmpty())
        return done({401, kWrongNameOrPassword, {}, {}});
    // A name that is nobody's costs the same check as a wrong password: the time taken does not
    // tell whether the name exists.
    const QByteArray hash = player ? player->hash : QByteArray();
    const bool started = hashLater(
        [hash, password] {
            static const QByteArray nobodysHash = passwordHash("nobody's password");
            return QByteArray(
                passwordMatches(hash.isEmpty() ? nobodysHash : hash, password) ? "right" : "");
        },
        [this, player, name, address, now, done](const QByteArray& right) {
            if (!player || right.isEmpty())
                return done({401, kWrongNameOrPassword, {}, {}});
            wrongPasswords_.remove(name, address, now);
            store_.removeExpiredSessions(now_());
            done(newSession(*player, 200));
        });
    if (!started) {
        wrongPasswords_.remove(name, address, now);
        done({503, kBusy, {}, {}});
    }
}

bool Accounts::hashLater(std::function<QByteArray()> work, std::function<void(QByteArray)> then) {
    if (hashesWaiting_ >= limits::kHashesWaiting) {
        qInfo("sign-up or sign-in refused: too many waiting");
        return false;
    }
    ++hashesWaiting_;
    hashing_.start([this, work = std::move(work), then = std::move(then)] {
        // The games come first: on a busy machine a sign-in waits rather than their keys. Linux
        // gives each thread a niceness of its own.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kHashingNiceness);
        QMetaObject::invokeMethod(&serverThread_, [this, then, result = work()] {
            --hashesWaiting_;
            then(result);
        });
    });
    return true;
}

Accounts::Outcome Accounts::newSession(const PlayerRecord& player, int status) {
    QByteArray token(32, '\0');
    randombytes_buf(token.data(), static_cast<size_t>(token.size()));
    token = token.toHex();
    store_.addSession(tokenHash(token), player.id, now_() + kSessionSeconds);
    return {status, {}, token, player.name};
}

std::optional<PlayerRecord> Accounts::playerOf(const QByteArray& token) {
    if (token.size() != 64)
        return std::nullopt;
    return store_.sessionPlayer(tokenHash(token), now_());
}

void Accounts::signOut(const QByteArray& token) {
    store_.removeSession(tokenHash(token));
}
