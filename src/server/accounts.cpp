#include "server/accounts.h"

#include <QDateTime>
#include <sodium.h>

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
const QString kTooManyAttempts = QStringLiteral("Too many attempts; wait a minute and try again.");

} // namespace

Accounts::Accounts(Store& store) : store_(store), now_(systemNow) {
    if (sodium_init() < 0)
        qFatal("libsodium cannot start");
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

Accounts::Outcome Accounts::signUp(const QString& typedName, const QByteArray& password) {
    const QString name = keptName(typedName);
    QString problem = nameProblem(name);
    if (problem.isEmpty())
        problem = passwordProblem(password);
    if (!problem.isEmpty())
        return {400, problem, {}, {}};
    const QByteArray hash = passwordHash(password);
    if (hash.isEmpty())
        return {500, QStringLiteral("The server could not keep the password."), {}, {}};
    const std::optional<int> id = store_.addPlayer(name, hash);
    if (!id)
        return {409, QStringLiteral("That name is taken."), {}, {}};
    return newSession({*id, name, hash}, 201);
}

Accounts::Outcome Accounts::signIn(const QString& typedName, const QByteArray& password,
                                   const QString& address) {
    const QString name = keptName(typedName);
    if (const char* refusedFor = wrongPasswords_.refusal(name, address, now_())) {
        qInfo("sign-in refused for %s: too many attempts", refusedFor);
        return {429, kTooManyAttempts, {}, {}};
    }
    const std::optional<PlayerRecord> player = store_.playerNamed(name);
    // A name that is nobody's costs the same check as a wrong password: the time taken does not
    // tell whether the name exists.
    static const QByteArray nobodysHash = passwordHash("nobody's password");
    const bool matches = passwordProblem(password).isEmpty() &&
                         passwordMatches(player ? player->hash : nobodysHash, password);
    if (!player || !matches) {
        wrongPasswords_.add(name, address, now_());
        return {401, kWrongNameOrPassword, {}, {}};
    }
    store_.removeExpiredSessions(now_());
    return newSession(*player, 200);
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
