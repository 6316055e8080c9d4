#include "server/accounts.h"
#include "server/fame.h"
#include "server/store.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(AccountRules, NamesAndPasswords) {
    struct Row {
        QString typed;
        bool fine;
    };
    const Row names[] = {
        {QStringLiteral("Alice"), true},
        {QStringLiteral("  Alice  "), true},
        {QStringLiteral("A"), true},
        {QString(30, QLatin1Char('n')), true},
        {QStringLiteral(" ") + QString(30, QLatin1Char('n')) + QStringLiteral(" "), true},
        {QString(15, QChar(0x00e9)), true},
        {QString::fromUcs4(U"\U0001F600\U0001F600"), true},
        {QString(31, QLatin1Char('n')), false},
        {QStringLiteral(""), false},
        {QStringLiteral("   "), false},
        {QStringLiteral("Al\nice"), false},
        {QStringLiteral("Al\x7f"), false},
        {QStringLiteral("Al") + QChar(0x2028) + QStringLiteral("ice"), false},
    };
    for (const Row& row : names)
        EXPECT_EQ(Accounts::nameProblem(Accounts::keptName(row.typed)).isEmpty(), row.fine)
            << qPrintable(row.typed);
    EXPECT_EQ(Accounts::keptName(QStringLiteral(" Bo b ")), QStringLiteral("Bo b"));
    EXPECT_FALSE(Accounts::passwordProblem(QByteArray(7, 'p')).isEmpty());
    EXPECT_TRUE(Accounts::passwordProblem(QByteArray(8, 'p')).isEmpty());
    EXPECT_TRUE(Accounts::passwordProblem(QByteArray(200, 'p')).isEmpty());
    EXPECT_FALSE(Accounts::passwordProblem(QByteArray(201, 'p')).isEmpty());
    // Bytes, not characters: four two-byte letters are eight bytes.
    EXPECT_TRUE(Accounts::passwordProblem(QStringLiteral("éééé").toUtf8()).isEmpty());
}

qint64 clockNow = 1'000'000;
qint64 testClock() {
    return clockNow;
}

class AccountsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.open(dir.filePath(QStringLiteral("vexmoor.db"))));
        accounts.setClock(testClock);
    }

    QTemporaryDir dir;
    Store store;
    Accounts accounts{store};
};

TEST_F(AccountsTest, SignUpSignInAndTheSessionsLife) {
    const Accounts::Outcome made = accounts.signUp(QStringLiteral(" Élodie "), "password1");
    EXPECT_EQ(made.status, 201);
    EXPECT_EQ(made.name, QStringLiteral("Élodie"));
    EXPECT_EQ(made.token.size(), 64);
    EXPECT_EQ(accounts.signUp(QStringLiteral("éLODIE"), "password2").status, 409);
    EXPECT_EQ(accounts.signUp(QStringLiteral("x\ty"), "password2").status, 400);
    EXPECT_EQ(accounts.signUp(QStringLiteral("Bob"), "short").status, 400);

    const Accounts::Outcome wrongPassword = accounts.signIn(QStringLiteral("élodie"), "password2");
    const Accounts::Outcome wrongName = accounts.signIn(QStringLiteral("Elodie"), "password1");
    for (const Accounts::Outcome& wrong : {wrongPassword, wrongName}) {
        EXPECT_EQ(wrong.status, 401);
        EXPECT_EQ(wrong.error, QStringLiteral("Wrong name or password."));
        EXPECT_TRUE(wrong.token.isEmpty());
    }
    const Accounts::Outcome in = accounts.signIn(QStringLiteral("ÉLODIE"), "password1");
    EXPECT_EQ(in.status, 200);
    EXPECT_EQ(in.name, QStringLiteral("Élodie"));
    EXPECT_NE(in.token, made.token);

    EXPECT_EQ(accounts.playerOf(in.token).value().name, QStringLiteral("Élodie"));
    EXPECT_FALSE(accounts.playerOf(in.token.left(63) + "0"));
    EXPECT_FALSE(accounts.playerOf(""));
    accounts.signOut(made.token);
    EXPECT_FALSE(accounts.playerOf(made.token));
    EXPECT_TRUE(accounts.playerOf(in.token));

    clockNow += Accounts::kSessionSeconds - 1;
    EXPECT_TRUE(accounts.playerOf(in.token));
    clockNow += 1;
    EXPECT_FALSE(accounts.playerOf(in.token));
}

TEST_F(AccountsTest, TheDatabaseKeepsOnlyHashes) {
    const Accounts::Outcome made = accounts.signUp(QStringLiteral("Alice"), "password1");
    QFile file(dir.filePath(QStringLiteral("vexmoor.db")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    EXPECT_FALSE(kept.contains("password1"));
    EXPECT_FALSE(kept.contains(made.token));
    EXPECT_TRUE(kept.contains("$argon2id$"));
}

FameRow row(int player, int level, const char* date, const char* name = "n") {
    return {0, player, QLatin1String(name), level, QStringLiteral("ravine"),
            0, false,  QLatin1String(date)};
}

TEST_F(AccountsTest, HallOfFameOrderAndEachPlayerUpdatesOnlyTheirOwn) {
    const int alice = *store.addPlayer(QStringLiteral("Alice"), "h");
    const int bob = *store.addPlayer(QStringLiteral("Bob"), "h");
    const int first = store.enterFame(row(alice, 5, "2026-01-02", "a5"));
    store.enterFame(row(bob, 7, "2026-01-03", "b7"));
    store.enterFame(row(bob, 5, "2026-01-01", "b5"));
    store.enterFame(row(alice, 5, "2026-01-02", "a5 later"));
    for (int i = 0; i < 10; ++i)
        store.enterFame(row(bob, 1, "2026-01-01"));
    auto names = [&] {
        QStringList out;
        for (const FameRow& kept : store.bestFame(fame::kShown))
            out.append(kept.name);
        return out.join(QLatin1Char(' '));
    };
    EXPECT_EQ(names(), QStringLiteral("b7 b5 a5 a5 later n n n n n n"));

    FameRow update = row(bob, 9, "2026-01-05", "stolen");
    update.serial = first;
    EXPECT_FALSE(store.updateFame(update));
    EXPECT_EQ(names(), QStringLiteral("b7 b5 a5 a5 later n n n n n n"));
    update.player = alice;
    update.name = QStringLiteral("a9");
    EXPECT_TRUE(store.updateFame(update));
    EXPECT_EQ(names(), QStringLiteral("a9 b7 b5 a5 later n n n n n n"));

    const QJsonArray shown = fame::forPage(store.bestFame(1));
    EXPECT_EQ(shown[0].toObject().value(QStringLiteral("ending")).toString(),
              QStringLiteral("fell into the ravine"));
    EXPECT_FALSE(shown[0].toObject().contains(QStringLiteral("serial")));
    const QJsonObject table = fame::tableMessage(store.bestFame(1));
    EXPECT_EQ(table.value(QStringLiteral("rows"))[0][QStringLiteral("serial")].toInt(), first);
}

TEST(FameMessages, OnlyWholeGamesEnter) {
    const QJsonObject game{{QStringLiteral("t"), QStringLiteral("fame")},
                           {QStringLiteral("name"), QStringLiteral("Alice")},
                           {QStringLiteral("level"), 7},
                           {QStringLiteral("ending"), QStringLiteral("time")},
                           {QStringLiteral("continues"), 1},
                           {QStringLiteral("date"), QStringLiteral("2026-12-07")}};
    EXPECT_EQ(fame::rowFrom(game, 3).value().player, 3);
    struct Row {
        const char* field;
        QJsonValue value;
    };
    const Row broken[] = {{"level", -1},
                          {"level", QStringLiteral("7")},
                          {"ending", QStringLiteral("out of time")},
                          {"continues", QJsonValue()},
                          {"date", QStringLiteral("07/12/2026")}};
    for (const Row& row : broken) {
        QJsonObject message = game;
        message.insert(QLatin1String(row.field), row.value);
        EXPECT_FALSE(fame::rowFrom(message, 3)) << row.field;
    }
}

} // namespace
