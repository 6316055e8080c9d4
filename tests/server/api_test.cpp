// The accounts, the hall of fame's table and the API's calls, on one database with Alice (1), Bob
// (2) and Alice's recordings.
#include "server/accounts.h"
#include "server/api.h"
#include "server/fame.h"
#include "server/games.h"
#include "server/store.h"
#include "signing_in.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QTimer>

namespace {

const QByteArray kOwn = "http://127.0.0.1:8080";
const QByteArray kAlicePassword = R"({"name":"Alice","password":"password1"})";
qint64 clockNow = 1'000'000;
const QDate kToday(2026, 12, 8);

class ApiTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.open(dir.filePath("vexmoor.db")));
        accounts.setClock([] { return clockNow; });
        alice = signUp(accounts, "Alice", "password1").token;
        bob = signUp(accounts, "Bob", "password1").token;
        const QString recording = games.folderOf(1) + "/recordings/game-%1.txt";
        const QByteArray head = "Vexmoor recording 2 1.0\n", key = "81520 key 78 78\n",
                         end = "98210 end level=5";
        const QByteArray texts[] = {"recorded\n", head + key + end + "\n", head + end + "\n" + key,
                                    head + end};
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(writeFile(recording.arg(i + 1), texts[i]));
    }

    HttpReply ask(const char* method, const char* path, const QByteArray& origin = {},
                  const QByteArray& token = {}, const QByteArray& body = {},
                  const QString& address = {}) {
        HttpRequest request{method, path, {{"host", "127.0.0.1:8080"}}, body, address};
        if (!origin.isEmpty())
            request.headers["origin"] = origin;
        if (!token.isEmpty())
            request.headers["cookie"] = "other=1; vexmoor_session=" + token;
        std::optional<HttpReply> reply;
        EXPECT_TRUE(api.answer(request, [&](const HttpReply& answered) { reply = answered; }));
        waitFor([&] { return reply.has_value(); }, kSignInMs);
        return reply.value();
    }

    QTemporaryDir dir;
    Store store;
    Accounts accounts{store};
    Games games{store, {"/bin/false", dir.filePath("players"), 600, 1800, [] { return kToday; }}};
    Api api{accounts, store, games};
    QByteArray alice, bob;
};

TEST(AccountRules, NamesAndPasswords) {
    const QString n30(30, 'n'), e15(15, QChar(0xe9)),
        smiles = QString::fromUcs4(U"\U0001F600\U0001F600");
    const QString fine[] = {"Alice", "  Alice  ", "A", n30, " " + n30 + " ", e15, smiles};
    const QString refused[] = {n30 + "n", "",       "   ",
                               "Al\nice", "Al\x7f", QString("Al") + QChar(0x2028) + "ice"};
    for (const QString& name : fine)
        EXPECT_TRUE(Accounts::nameProblem(Accounts::keptName(name)).isEmpty()) << qPrintable(name);
    for (const QString& name : refused)
        EXPECT_FALSE(Accounts::nameProblem(Accounts::keptName(name)).isEmpty()) << qPrintable(name);
    EXPECT_EQ(Accounts::keptName(" Bo b "), "Bo b");
    // Bytes, not characters: four two-byte letters are eight bytes.
    for (const QByteArray& password :
         {QByteArray(8, 'p'), QByteArray(200, 'p'), QByteArray("éééé")})
        EXPECT_TRUE(Accounts::passwordProblem(password).isEmpty()) << password.size();
    for (const QByteArray& password : {QByteArray(7, 'p'), QByteArray(201, 'p'), QByteArray("ééé")})
        EXPECT_FALSE(Accounts::passwordProblem(password).isEmpty()) << password.size();
}

TEST_F(ApiTest, SignUpSignInAndTheSessionsLife) {
    const Accounts::Outcome made = signUp(accounts, " Élodie ", "password1");
    EXPECT_EQ(made.status, 201);
    EXPECT_EQ(made.name, "Élodie");
    EXPECT_EQ(made.token.size(), 64);
    EXPECT_EQ(signUp(accounts, "éLODIE", "password2").status, 409);
    EXPECT_EQ(signUp(accounts, "x\ty", "password2").status, 400);
    for (const Accounts::Outcome& wrong : {signIn(accounts, "élodie", "password2", ""),
                                           signIn(accounts, "Elodie", "password1", "")}) {
        EXPECT_EQ(wrong.status, 401);
        EXPECT_EQ(wrong.error, "Wrong name or password.");
        EXPECT_TRUE(wrong.token.isEmpty());
    }
    const Accounts::Outcome in = signIn(accounts, "ÉLODIE", "password1", "");
    EXPECT_EQ(in.status, 200);
    EXPECT_EQ(in.name, "Élodie");
    EXPECT_NE(in.token, made.token);
    EXPECT_EQ(accounts.playerOf(in.token).value().name, "Élodie");
    // A name that is nobody's takes as long to refuse as a wrong password.
    QElapsedTimer timer;
    timer.start();
    signIn(accounts, "Nobody", "password2", "");
    const qint64 nobodys = timer.restart();
    signIn(accounts, "Élodie", "password2", "");
    EXPECT_GT(nobodys * 4, timer.elapsed());
    // One character off: the last one, whatever it is, changed.
    EXPECT_FALSE(accounts.playerOf(in.token.left(63) + (in.token.endsWith('0') ? "1" : "0")));
    EXPECT_FALSE(accounts.playerOf(""));
    accounts.signOut(made.token);
    EXPECT_FALSE(accounts.playerOf(made.token));
    clockNow += Accounts::kSessionSeconds - 1;
    EXPECT_TRUE(accounts.playerOf(in.token));
    clockNow += 1;
    EXPECT_FALSE(accounts.playerOf(in.token));

    // The database keeps only hashes.
    const QByteArray kept = readFile(dir.filePath("vexmoor.db"));
    EXPECT_FALSE(kept.contains("password1"));
    EXPECT_FALSE(kept.contains(alice));
    EXPECT_TRUE(kept.contains("$argon2id$"));
}

TEST_F(ApiTest, PasswordsAreCheckedWhileTheServerGoesOnAndAtOnceMeetTheLimit) {
    int ticks = 0;
    QTimer timer;
    timer.callOnTimeout([&] { ++ticks; });
    timer.start(1);
    EXPECT_EQ(signIn(accounts, "Alice", "password1").status, 200);
    EXPECT_GT(ticks, 5);
    // Six wrong at once: the sixth is refused before any of the others is checked.
    std::vector<int> statuses;
    for (int i = 0; i < 6; ++i)
        accounts.signIn("Bob", "password2", "203.0.113.1", [&](const Accounts::Outcome& outcome) {
            statuses.push_back(outcome.status);
        });
    waitFor([&] { return statuses.size() == 6; }, kSignInMs);
    EXPECT_EQ(statuses, (std::vector<int>{429, 401, 401, 401, 401, 401}));
}

TEST_F(ApiTest, ASignUpTheDatabaseCannotTakeIsNotCalledATakenName) {
    runSql(dir.filePath("vexmoor.db"), {"ALTER TABLE players RENAME TO gone"});
    EXPECT_EQ(signUp(accounts, "Carol", "password1").status, 503);
}

QStringList logged;

TEST_F(ApiTest, WrongPasswordsAreLimitedByNameAndByAddress) {
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { logged.append(text); });
    const struct {
        const char *name, *password, *address;
        int status;
    } rows[] = {
        // Four wrong passwords for Alice, then her own signs in; a sixth is refused, even right.
        {"Alice", "password2", "192.0.2.1", 401},
        {"alice", "password2", "192.0.2.2", 401},
        {"ALICE", "password2", "192.0.2.3", 401},
        {" Alice", "password2", "192.0.2.4", 401},
        {"Alice", "password1", "192.0.2.5", 200},
        {"Alice", "password2", "192.0.2.5", 401},
        {"Alice", "password1", "192.0.2.6", 429},
        {"Bob", "password1", "192.0.2.5", 200},
        // Five wrong from one address, for names of nobody's too: the sixth is refused there only.
        {"Nobody", "password2", "198.51.100.1", 401},
        {"Nobody2", "password2", "198.51.100.1", 401},
        {"Nobody3", "password2", "198.51.100.1", 401},
        {"Nobody4", "password2", "198.51.100.1", 401},
        {"Bob", "password2", "198.51.100.1", 401},
        {"Bob", "password1", "198.51.100.1", 429},
        {"Bob", "password1", "198.51.100.2", 200},
    };
    for (const auto& row : rows)
        EXPECT_EQ(signIn(accounts, row.name, row.password, row.address).status, row.status)
            << row.name << ' ' << row.password << ' ' << row.address;

    // The refusal reads the same for anyone's name or nobody's.
    for (const QByteArray name : {"Bob", "Nobody5"}) {
        const HttpReply refused =
            ask("POST", "/api/signin", kOwn, {},
                R"({"name":")" + name + R"(","password":"password1"})", "198.51.100.1");
        EXPECT_EQ(refused.status, 429);
        EXPECT_EQ(refused.body, R"({"error":"Too many attempts; wait a minute and try again."})");
    }
    // The oldest wrong password a minute old, they sign in again.
    clockNow += limits::kWrongPasswordSeconds - 1;
    EXPECT_EQ(signIn(accounts, "Alice", "password1", "192.0.2.7").status, 429);
    EXPECT_EQ(signIn(accounts, "Bob", "password1", "198.51.100.1").status, 429);
    clockNow += 1;
    EXPECT_EQ(signIn(accounts, "Alice", "password1", "192.0.2.7").status, 200);
    EXPECT_EQ(signIn(accounts, "Bob", "password1", "198.51.100.1").status, 200);

    // One line a refusal, with no name, password or address.
    qInstallMessageHandler(nullptr);
    const QString byName = "sign-in refused for a name: too many attempts",
                  byAddress = "sign-in refused for an address: too many attempts";
    EXPECT_EQ(logged, QStringList({byName, byAddress, byAddress, byAddress, byName, byAddress}));
}

// Best level first, then the earliest date, then the earliest entry.
TEST_F(ApiTest, HallOfFameOrder) {
    const auto row = [](int player, int level, const char* date, const char* name = "n") {
        return FameRow{0, player, name, level, "ravine", 0, false, date, {}, {}};
    };
    const int first = store.enterFame(row(1, 5, "2026-01-02", "a5"));
    store.enterFame(row(2, 7, "2026-01-03", "b7"));
    store.enterFame(row(2, 5, "2026-01-01", "b5"));
    store.enterFame(row(1, 5, "2026-01-02", "a5 later"));
    for (int i = 0; i < 10; ++i)
        store.enterFame(row(2, 1, "2026-01-01"));
    QStringList names;
    for (const FameRow& kept : store.bestFame(fame::kShown))
        names.append(kept.name);
    EXPECT_EQ(names.join(' '), "b7 b5 a5 a5 later n n n n n n");

    // The page reads the ending in words and no serial; the game processes get the serials.
    const QJsonObject shown = fame::forPage(store.bestFame(3), "2026-12-08")[2].toObject();
    EXPECT_EQ(shown["ending"], "fell into the ravine");
    EXPECT_FALSE(shown.contains("serial"));
    EXPECT_EQ(fame::tableMessage(store.bestFame(3), {}, "2026-12-08")["rows"][2]["serial"], first);
}

TEST_F(ApiTest, TodaysChallengeKeepsItsSeedAndFilesUntilTheDayIsOver) {
    const auto row = [](int player, int level, std::uint32_t seed, const char* day) {
        return FameRow{0, player, "n", level, "time", 0, false, "2026-12-08", seed, day};
    };
    // Alice's second game of the day's seed, after a load, enters the all-time table only.
    store.enterFame(row(1, 3, 5, "2026-12-08"));
    store.enterFame(row(1, 9, 5, "2026-12-08"));
    store.enterFame(row(2, 4, 6, "2026-12-07"));
    store.enterFame(row(2, 2, 7, ""));
    const QJsonObject fame = QJsonDocument::fromJson(ask("GET", "/api/fame").body).object();
    EXPECT_EQ(fame["day"], "2026-12-08");
    const auto seeds = [](const QJsonValue& rows) {
        QStringList out;
        for (const QJsonValue row : rows.toArray())
            out << row["level"].toVariant().toString() + ':' + row["seed"].toString("hidden") +
                       ':' + row["day"].toString();
        return out.join(' ').toStdString();
    };
    EXPECT_EQ(seeds(fame["best"]), "9:hidden:2026-12-08 4:6:2026-12-07 3:hidden:2026-12-08 2:7:");
    EXPECT_EQ(seeds(fame["today"]), "3:hidden:2026-12-08");
    const QJsonObject table = fame::tableMessage(
        store.bestFame(fame::kShown), store.dayFame("2026-12-08", fame::kShown), "2026-12-08");
    EXPECT_EQ(seeds(table["rows"]), seeds(fame["best"]));
    EXPECT_EQ(seeds(table["today"]), seeds(fame["today"]));

    for (const char* day : {"2026-12-07", "2026-12-08", "2026-12-09"})
        ASSERT_TRUE(
            writeFile(games.folderOf(1) + "/recordings/" + day + ".txt",
                      QByteArray("Vexmoor recording 3 1.0\nclock 1\nrandom 2 0\nseed 5 0 0 0 0 ") +
                          day + '\n'));
    EXPECT_EQ(ask("GET", "/api/recordings/2026-12-07.txt", {}, alice).status, 200);
    for (const char* kept : {"/api/recordings/2026-12-08.txt", "/api/recordings/2026-12-09.txt"}) {
        const HttpReply refused = ask("GET", kept, {}, alice);
        EXPECT_EQ(refused.status, 403);
        EXPECT_EQ(refused.body, R"({"error":"The day's challenge is still on; its files can be )"
                                R"(had after midnight UTC."})");
    }
}

TEST(FameMessages, OnlyWholeGamesEnter) {
    const QJsonObject game{{"t", "fame"},      {"name", "Alice"}, {"level", 7},
                           {"ending", "time"}, {"continues", 1},  {"date", "2026-12-07"}};
    EXPECT_EQ(fame::rowFrom(game, 3).value().player, 3);
    // A day goes with a seed only.
    QJsonObject seeded = game;
    seeded.insert("day", "2026-12-08");
    EXPECT_EQ(fame::rowFrom(seeded, 3).value().day, "");
    seeded.insert("seed", "4294967295");
    EXPECT_EQ(fame::rowFrom(seeded, 3).value().seed, 4294967295u);
    EXPECT_EQ(fame::rowFrom(seeded, 3).value().day, "2026-12-08");
    const std::pair<const char*, QJsonValue> broken[] = {{"level", -1},
                                                         {"level", "7"},
                                                         {"ending", "out of time"},
                                                         {"continues", QJsonValue()},
                                                         {"date", "07/12/2026"}};
    for (const auto& [field, value] : broken) {
        QJsonObject message = game;
        message.insert(field, value);
        EXPECT_FALSE(fame::rowFrom(message, 3)) << field;
    }
}

TEST_F(ApiTest, EachCallAnswersWhomItShould) {
    const QByteArray carol = R"({"name":"Carol","password":"password1"})";
    const struct {
        const char *method, *path;
        QByteArray origin;
        const QByteArray* token;
        QByteArray body;
        int status;
        QByteArray inBody;
    } rows[] = {
        {"POST", "/api/signup", "http://evil.example", nullptr, carol, 403, "error"},
        {"POST", "/api/signup", "", nullptr, carol, 403, "error"},
        {"POST", "/api/signup", kOwn, nullptr, carol, 201, R"({"name":"Carol"})"},
        {"POST", "/api/signup", kOwn, nullptr, carol, 409, "That name is taken."},
        {"POST", "/api/signup", kOwn, nullptr, "not json", 400, "error"},
        {"POST", "/api/signup", kOwn, nullptr, R"({"name":"Dan","password":"short"})", 400,
         "A password has 8 to 200 bytes."},
        {"POST", "/api/signin", kOwn, nullptr, R"({"name":"Alice","password":"password2"})", 401,
         "Wrong name or password."},
        {"GET", "/api/recordings", "", nullptr, "", 401, "error"},
        {"GET", "/api/recordings", "", &bob, "", 200, "[]"},
        {"GET", "/api/recordings/game-1.txt", "", &bob, "", 404, "error"},
        {"GET", "/api/recordings/..%2F..%2Fvexmoor.db", "", &alice, "", 404, "error"},
        {"GET", "/api/games", "", nullptr, "", 200, "[]"},
        {"DELETE", "/api/me", kOwn, &alice, "", 405, "error"},
        {"POST", "/api/me", kOwn, &alice, "", 405, "error"},
        {"GET", "/api/nothing", "", nullptr, "", 404, "error"},
    };
    for (const auto& row : rows) {
        const HttpReply reply =
            ask(row.method, row.path, row.origin, row.token ? *row.token : "", row.body);
        EXPECT_EQ(reply.status, row.status) << row.method << ' ' << row.path;
        EXPECT_TRUE(reply.body.contains(row.inBody)) << row.path << ": " << reply.body.data();
    }
}

TEST_F(ApiTest, SessionCookieDownloadAndSafeHeaders) {
    const HttpReply in = ask("POST", "/api/signin", kOwn, {}, kAlicePassword);
    ASSERT_EQ(in.headers.size(), 2u);
    const QByteArray cookie = in.headers[1].second;
    EXPECT_TRUE(cookie.startsWith("vexmoor_session=")) << cookie.data();
    EXPECT_TRUE(cookie.endsWith("; HttpOnly; SameSite=Strict; Path=/")) << cookie.data();
    const QByteArray token = cookie.mid(16, 64);
    EXPECT_EQ(ask("GET", "/api/me", {}, token).body, R"({"name":"Alice"})");
    const HttpReply out = ask("POST", "/api/signout", kOwn, token);
    EXPECT_TRUE(out.headers[1].second.contains("vexmoor_session=; Max-Age=0"));
    EXPECT_EQ(ask("GET", "/api/me", {}, token).body, R"({"name":null})");
    const HttpReply secure =
        ask("POST", "/api/signin", "https://127.0.0.1:8080", {}, kAlicePassword);
    EXPECT_TRUE(secure.headers[1].second.endsWith("; Secure"));

    // Only a recording whose game wrote its end line is complete.
    QStringList complete;
    for (const QJsonValue recording :
         QJsonDocument::fromJson(ask("GET", "/api/recordings", {}, alice).body).array()) {
        if (recording["complete"].toBool())
            complete.append(recording["file"].toString());
    }
    EXPECT_EQ(complete, QStringList{"game-2.txt"});

    const HttpReply download = ask("GET", "/api/recordings/game-1.txt", {}, alice);
    const QByteArray wire = download.serialized(false);
    for (const char* header :
         {"Content-Disposition: attachment; filename=\"game-1.txt\"\r\n",
          "X-Content-Type-Options: nosniff\r\n", "Content-Length: 9\r\n",
          "Content-Security-Policy: default-src 'self'; connect-src 'self' ws: wss:;"})
        EXPECT_TRUE(wire.contains(header)) << header;
    EXPECT_FALSE(wire.contains("unsafe-inline"));
    EXPECT_TRUE(wire.endsWith("\r\n\r\nrecorded\n"));
    EXPECT_TRUE(download.serialized(true).endsWith("\r\n\r\n"));
}

} // namespace
