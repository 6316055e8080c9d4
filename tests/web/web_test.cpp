// The browser's game process through its messages: the game on a virtual clock, every message it
// sends caught, the dialogs answered from a script, and the scene rebuilt from its diffs.
#include "app/clock_driver.h"
#include "app/recorded_session.h"
#include "board/board_window.h"
#include "replay/recording.h"
#include "shell/finale_window.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"
#include "ui/stat.h"
#include "web/input_reader.h"
#include "web/outbox.h"
#include "web/relayed_fame.h"
#include "web/web_platform.h"
#include "web/web_view.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The scene as a page keeps it: each message applied to what it had.
struct Model {
    QJsonArray order;
    std::map<QString, QJsonObject> windows;
    std::map<QString, std::map<QString, QJsonObject>> controls;

    void apply(const QJsonObject& scene) {
        if (scene["full"].toBool())
            *this = {};
        for (const QJsonValue id : scene["closed"].toArray()) {
            windows.erase(id.toString());
            controls.erase(id.toString());
        }
        const QJsonObject changed = scene["windows"].toObject();
        for (auto it = changed.begin(); it != changed.end(); ++it) {
            QJsonObject window = it.value().toObject();
            auto& shown = controls[it.key()];
            const QJsonObject came = window.take("controls").toObject();
            for (auto control = came.begin(); control != came.end(); ++control)
                shown[control.key()] = control.value().toObject();
            for (const QJsonValue id : window.take("removed").toArray())
                shown.erase(id.toString());
            windows[it.key()] = window;
        }
        order = scene["order"].toArray();
    }
    bool operator==(const Model&) const = default;
};

QJsonObject key(int code, int typed) {
    return {{"t", "key"}, {"code", code}, {"char", typed}};
}

// The game process's platform with the time of day, and so the game's chance, fixed.
struct FixedPlatform : WebPlatform {
    using WebPlatform::WebPlatform;
    double timeOfDay() const override { return 36000; }
};

// One game of the process with its platform, relayed hall of fame and view on a virtual clock.
struct WebGame {
    explicit WebGame(const QString& folder, std::chrono::milliseconds patience = 2s,
                     const std::optional<ui::GameSeed>& seed = {}, bool challenge = false)
        : platform(folder), session(platform, seed, challenge) {
        auto table = std::make_unique<RelayedFame>(out, patience);
        fame = table.get();
        session.game.setFameTable(std::move(table));
        platform.attach(view, driver);
        view.askYesNo = [this](const QString& question) { return platform.askYesNo(question); };
        view.quit = [this] { ended = true; };
        view.start();
        driver.start();
    }

    // Every message as the server hears it; the fame replies as the server would send them.
    void heard(const QByteArray& line) {
        const QJsonObject message = messageOf(line).value();
        const QString type = message["t"].toString();
        if (type == "fame" && fameSerial)
            fame->take({{"t", "fameEntered"},
                        {"game", message["game"]},
                        {"serial", *fameSerial},
                        {"saved", true}});
        const std::lock_guard lock(heardLock);
        sent.push_back(message);
        if (type == "scene")
            model.apply(message);
        if (type == "dialog") {
            dialogs << message["text"].toString();
            // The answer comes once the dialog waits for it.
            if (answering)
                QTimer::singleShot(0, [this] { answer(); });
        }
    }

    void answer() {
        for (const QJsonObject& meanwhile : std::exchange(beforeAnswer, {}))
            meanwhile["t"] == "advance" ? wait(meanwhile["ms"].toInt()) : view.take(meanwhile);
        const std::optional<QString> said =
            answers.empty() ? std::optional<QString>("") : answers.front();
        if (!answers.empty())
            answers.pop_front();
        view.take({{"t", "answer"}, {"ok", said.has_value()}, {"text", said.value_or("")}});
        for (const QJsonObject& next : std::exchange(afterAnswer, {}))
            view.take(next);
    }

    void wait(int ms) {
        now += std::int64_t{ms} * 1'000'000;
        driver.wake();
    }

    // Keys by name or letter, "+ms", "say:TEXT" and "no" for the next dialog, "click:player".
    void play(const QString& steps) {
        static const std::map<QString, int> named{{"Left", 37}, {"Up", 38},  {"Right", 39},
                                                  {"Down", 40}, {"Esc", 27}, {"Enter", 13}};
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith('+'))
                wait(step.mid(1).toInt());
            else if (step.startsWith("say:"))
                answers.push_back(step.mid(4));
            else if (step == "no")
                answers.push_back(std::nullopt);
            else if (step == "click:player") {
                const BoardWindow& board = *session.game.boardWindow();
                const ui::Rect at = board.player.drawnArea().value();
                view.take({{"t", "click"},
                           {"window", idOf(board.caption())},
                           {"x", at.left + at.width / 2},
                           {"y", at.top + at.height / 2}});
            } else if (named.contains(step))
                view.take(key(named.at(step), named.at(step) < 32 ? named.at(step) : 0));
            else
                view.take(key(step[0].toUpper().unicode(), step[0].toLower().unicode()));
        }
    }

    QString idOf(const QString& caption) const {
        for (const auto& [id, window] : model.windows)
            if (window["caption"] == caption)
                return id;
        return {};
    }

    std::vector<QJsonObject> all(const QString& type) {
        const std::lock_guard lock(heardLock);
        std::vector<QJsonObject> found;
        for (const QJsonObject& message : sent)
            if (message["t"] == type)
                found.push_back(message);
        return found;
    }
    QJsonObject last(const QString& type) {
        const std::vector<QJsonObject> found = all(type);
        return found.empty() ? QJsonObject() : found.back();
    }

    // The scene built from every diff so far is the scene sent whole now.
    void expectWholeIsSum(const QString& where) {
        const Model summed = model;
        view.snapshot();
        EXPECT_TRUE(summed == model) << where.toStdString();
        ASSERT_FALSE(model.order.isEmpty());
        EXPECT_EQ(model.order[0], "m");
        EXPECT_EQ(static_cast<std::size_t>(model.order.size()), model.windows.size());
    }

    std::mutex heardLock;
    std::vector<QJsonObject> sent;
    Model model;
    QStringList dialogs;
    std::deque<std::optional<QString>> answers;
    // What the server sends while a dialog waits, and right after its answer.
    std::vector<QJsonObject> beforeAnswer, afterAnswer;
    bool answering = true;
    std::optional<int> fameSerial = 41;
    bool ended = false;
    std::int64_t now = 0;
    Outbox out{[this](const QByteArray& line) { heard(line); }};
    FixedPlatform platform;
    RecordedSession session;
    RelayedFame* fame = nullptr;
    WebView view{session.game, out};
    ClockDriver driver{session.game, view, [this] { return now; }};
};

// Writes the lines into a pipe's end and closes it.
void feed(int end, const QByteArray& lines) {
    ASSERT_EQ(write(end, lines.constData(), static_cast<size_t>(lines.size())), lines.size());
    close(end);
}

// Runs the event loop until done, for at most a few seconds.
void runUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(5ms);
    }
}

// Each case plays one game, most of them first answering the name question with "Ann".
class GameProcess : public testing::Test {
  protected:
    QTemporaryDir folder;
    WebGame web{folder.path()};
};

TEST_F(GameProcess, EveryDiffAppliedIsTheWholeSceneAlongAWalkThroughTheGame) {
    web.expectWholeIsSum("start");
    // The menu, the hall of fame, the name, the board, the shop and its save, the clock running
    // out, the lost game's shop, a continue, many turns and a new game.
    const QString walk =
        "F Esc say:Alice N Left Up Right Down +1500 Esc S Esc +130000 Esc Z +2000" +
        QString(" Left Up Right Down +700 Esc Esc").repeated(10) + " +200000 Esc N Down";
    std::set<std::string> kinds, colours; // of the controls shown along the way
    for (const QString& step : walk.split(' ')) {
        web.play(step);
        web.expectWholeIsSum(step);
        for (const auto& [window, controls] : web.model.controls)
            for (const auto& [name, control] : controls) {
                kinds.insert(control["k"].toString().toStdString());
                for (const char* field : {"fore", "back", "colour"})
                    if (control.contains(field))
                        colours.insert(control[field].toString().toStdString());
            }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"board", "label", "line", "text"}));
    // As the page's style takes them: #rrggbb, black among them, white for the player.
    EXPECT_TRUE(colours.contains("#000000") && colours.contains("#ffffff"));
    for (const std::string& colour : colours)
        EXPECT_TRUE(QRegularExpression("^#[0-9a-f]{6}$").match(colour.c_str()).hasMatch())
            << colour;
    EXPECT_EQ(web.dialogs, QStringList({"What is your name?", "Saved!"}));
    EXPECT_FALSE(web.ended);
}

TEST_F(GameProcess, ADialogWaitsForItsAnswerWithTheClockStillAndNothingElseReachesTheGame) {
    web.beforeAnswer = {key('X', 'x'), {{"t", "advance"}, {"ms", 5000}}, {{"t", "close"}}};
    web.afterAnswer = {key(27, 27), key('S', 's'), key(37, 0)};
    web.play("say:Zoë N");
    EXPECT_EQ(web.last("status")["name"], "Zoë");
    EXPECT_EQ(web.last("status")["timeLeft"], 120);
    EXPECT_FALSE(web.ended);
    ASSERT_EQ(web.all("dialog").size(), 1u);
    EXPECT_EQ(web.last("dialog")["kind"], "prompt");
    // Keys right after an answer are the game's, also when one opens another dialog.
    QCoreApplication::processEvents();
    EXPECT_NE(web.session.game.shop(), nullptr);
    EXPECT_EQ(web.dialogs, QStringList({"What is your name?", "Saved!"}));
    EXPECT_EQ(web.all("dialogDone").size(), 2u);
    // A click on the player on the board says who it is.
    web.play("Esc click:player");
    EXPECT_EQ(web.dialogs.last(), "Your Name is: Zoë");
    // Closing with a board open asks first: No plays on, Yes ends.
    web.play("no");
    web.view.take({{"t", "close"}});
    EXPECT_FALSE(web.ended);
    web.view.take({{"t", "close"}});
    EXPECT_TRUE(web.ended);
    EXPECT_EQ(web.dialogs.last(), "Abandon the game? Unsaved progress is lost.");
}

// The server's lines read at once: the answer that came with the key that asks reaches the dialog
// its key opens, and the key after it the game.
TEST_F(GameProcess, AnAnswerReadWithItsQuestionReachesIt) {
    web.answering = false;
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const InputReader reader(ends[0],
                             {{}, [&](const QJsonObject& m) { web.view.take(m); }, {}, {}});
    feed(ends[1], R"({"t":"key","code":78,"char":110}
{"t":"answer","ok":true,"text":"Ty"}
{"t":"key","code":27,"char":27}
)");
    std::this_thread::sleep_for(100ms); // all three wait for their turn
    QTimer watchdog;                    // a dialog that would wait for ever ends
    watchdog.callOnTimeout([&] { web.view.end(); });
    watchdog.start(3000);
    runUntil([&] { return web.session.game.shop() || web.ended; });
    EXPECT_EQ(web.last("status")["name"], "Ty");
    EXPECT_NE(web.session.game.shop(), nullptr);
    close(ends[0]);
}

// A click on a window that the tick before it closes reaches nothing.
TEST_F(GameProcess, AClickOnAWindowGoneReachesNothing) {
    web.play("say:Ann N");
    ui::Stat(web.session.game.mainWindow().level).set(99);
    web.play("+1500"); // the finale
    ASSERT_NE(web.session.game.finale(), nullptr);
    const QString finale = web.idOf(web.session.game.finale()->caption());
    web.now += 200'000'000'000; // the finale is over as the click comes
    web.view.take({{"t", "click"}, {"window", finale}, {"x", 100}, {"y", 100}});
    EXPECT_EQ(web.session.game.finale(), nullptr);
    EXPECT_NE(web.session.game.menu(), nullptr);
    web.expectWholeIsSum("after the finale");
}

TEST_F(GameProcess, HiddenStopsTheClockUntilShownAgain) {
    web.play("say:Ann N");
    const struct {
        bool hidden;
        int ms, timeLeft;
    } rows[] = {{true, 10000, 120}, {true, 5000, 120}, {false, 10000, 110}, {false, 5000, 105}};
    for (const auto& row : rows) {
        web.view.take({{"t", "hidden"}, {"on", row.hidden}});
        web.wait(row.ms);
        EXPECT_EQ(web.last("status")["timeLeft"], row.timeLeft) << row.hidden << " " << row.ms;
    }
}

TEST_F(GameProcess, MalformedAndRandomLinesChangeNothing) {
    web.play("say:Ann N Left");
    const std::size_t before = web.sent.size();
    const Model shown = web.model;
    QList<QByteArray> lines = QByteArray(R"(
{
[1,2]
null
{"t":5}
{"t":"key"}
{"t":"key","code":"37","char":0}
{"t":"key","code":1e300,"char":0}
{"t":"key","code":37.5,"char":0}
{"t":"key","code":-1,"char":0}
{"t":"key","code":65,"char":55296}
{"t":"click","window":"w99","x":1,"y":2}
{"t":"click","window":"m","x":null,"y":2}
{"t":"click","window":[],"x":1e308,"y":-1e308}
{"t":"answer","ok":true,"text":"Eve"}
{"t":"hidden","on":"yes"}
{"t":"fameEntered","game":1,"serial":1,"saved":true})")
                                  .split('\n');
    lines << "{\"t\":\"key\",\"code\":37,\"char\":0\xff}" << QByteArray(100000, '{');
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray line(random.bounded(1, 80), Qt::Uninitialized);
        for (char& c : line)
            c = static_cast<char>(random.bounded(256));
        lines << line;
    }
    for (const QByteArray& line : lines)
        if (const auto message = messageOf(line))
            web.view.take(*message);
    EXPECT_EQ(web.sent.size(), before);
    EXPECT_TRUE(web.model == shown);
    web.expectWholeIsSum("after the lines");
}

TEST(WebView, EndLeavesACompleteRecording) {
    QTemporaryDir folder;
    for (const QString last : {"end", "close"}) {
        QDir(folder.path()).removeRecursively();
        {
            WebGame web(folder.path());
            web.play("say:Ann N Left Up");
            web.view.take({{"t", last}});
            EXPECT_TRUE(web.ended);
            web.view.take(key(37, 0)); // nothing reaches the game once it ended
        }
        const QStringList files =
            QDir(folder.filePath("recordings")).entryList({"game-*.txt"}, QDir::Files);
        ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
        const auto read = recording::read(folder.filePath("recordings/" + files[0]));
        ASSERT_TRUE(std::holds_alternative<recording::Recording>(read));
        const auto& recorded = std::get<recording::Recording>(read);
        EXPECT_TRUE(recorded.ended) << last.toStdString();
        EXPECT_NE(std::ranges::find(recorded.end, std::pair<QString, QString>("name", "Ann")),
                  recorded.end.end());
    }
}

// The hall of fame through the server: what a game that ends sends, and what the player is told
// when the reply comes late or never.
TEST(WebView, TheHallOfFameIsTheServers) {
    for (const std::optional<int> serial : {std::optional<int>(41), std::optional<int>()}) {
        QTemporaryDir folder;
        WebGame web(folder.path(), 100ms);
        web.fameSerial = serial;
        web.play("say:Ann N +130000");
        std::this_thread::sleep_for(250ms); // past the patience
        web.play("Left Esc Z +130000");
        std::this_thread::sleep_for(250ms);
        web.play("Left");
        web.session.game.hallOfFame().latest();
        const auto fame = web.all("fame");
        ASSERT_EQ(fame.size(), 2u);
        for (const char* field :
             {"game", "name", "level", "ending", "continues", "cheated", "date"})
            EXPECT_TRUE(fame[0].contains(field)) << field;
        EXPECT_EQ(fame[0]["name"], "Ann");
        EXPECT_EQ(fame[0]["ending"], "time");
        EXPECT_FALSE(fame[0].contains("serial"));
        // The continued game updates its entry, when the server gave it one.
        EXPECT_EQ(fame[1]["continues"], 1);
        EXPECT_EQ(fame[1].contains("serial"), serial.has_value());
        const QString lost = "This game could not be entered in the hall of fame: the server's "
                             "table cannot be written.";
        EXPECT_EQ(web.dialogs.count(lost), serial ? 0 : 2) << web.dialogs.join('|').toStdString();
    }
}

// The title never names the number of the server's challenge of the day, also once its save is
// loaded again; a later new game of that process names its own seed.
TEST(WebView, TheTitleNeverNamesTodaysChallenge) {
    QTemporaryDir folder;
    const QString today = QDateTime::currentDateTimeUtc().date().toString(Qt::ISODate);
    WebGame web(folder.path(), 2s, ui::GameSeed{4242, {}, today}, true);
    web.play("say:Ann N Esc S say:Bea N");
    const QString ownSeed = web.last("title")["text"].toString();
    web.play("Esc L");
    QStringList titles;
    for (const QJsonObject& title : web.all("title"))
        titles << title["text"].toString();
    const QString challenge = "Vexmoor — today's challenge";
    EXPECT_EQ(titles, QStringList({challenge, ownSeed, challenge}));
    EXPECT_EQ(ownSeed, "Vexmoor — seed 36000000");
}

// F shows the tables the server sent last, the seeds it told.
TEST_F(GameProcess, TheHallOfFameShownIsTheServersLast) {
    const QJsonObject zed{{"name", "Zed"},  {"level", 12},      {"ending", "hole"},
                          {"continues", 0}, {"cheated", false}, {"date", "2026-12-07"},
                          {"serial", 3},    {"seed", "777"}};
    const QJsonObject bad{{"name", "Bad"}, {"ending", "lava"}};
    QJsonObject ofToday = zed;
    ofToday.remove("seed"); // kept back until the day is over
    ofToday["day"] = "2026-12-07";
    web.fame->take(
        {{"t", "fameTable"}, {"rows", QJsonArray{zed, bad}}, {"today", QJsonArray{ofToday}}});
    web.play("F");
    const HallOfFameWindow& window = *web.session.game.hallOfFameWindow();
    const QString row = " 1. Zed                 12  fell into a hole     2026-12-07       ";
    EXPECT_EQ(window.rows[0].text(), row + "777");
    EXPECT_EQ(window.rows[1].text(), "");
    web.play("T");
    EXPECT_EQ(window.rows[0].text(), row);
}

// The reader hands the hall of fame's replies over on its own thread, the rest in turn, drops
// what is no message, and tells when the input ends.
TEST(InputReader, HandsOnMessagesAndTheEnd) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::vector<QString> atOnce, inTurn;
    bool ended = false;
    {
        const auto fameTable = [&](const QJsonObject& message) {
            if (message["t"] != "fameTable")
                return false;
            atOnce.push_back(message["t"].toString());
            return true;
        };
        const auto other = [&](const QJsonObject& message) {
            inTurn.push_back(message["t"].toString());
        };
        const InputReader reader(ends[0], {fameTable, other, {}, [&] { ended = true; }});
        feed(ends[1], "{\"t\":\"key\"}\nnot json\n{\"t\":\"fameTable\"}\n{\"t\":\"long\",\"x\":\"" +
                          QByteArray(2 << 20, 'x') + "\"}\n{\"t\":\"end\"}\n{\"t\":\"sna");
        runUntil([&] { return ended; });
    }
    close(ends[0]);
    EXPECT_TRUE(ended);
    EXPECT_EQ(atOnce, std::vector<QString>{"fameTable"});
    EXPECT_EQ(inTurn, (std::vector<QString>{"key", "end"}));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
