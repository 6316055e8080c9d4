// Many players at once against one vexmoor-server on 127.0.0.1. Each signs up, opens its
// WebSocket, plays N and a name, restores its stats with the cheat prompt (so that it never dies)
// and then presses an arrow key every 200 ms, right and left in turn, the players' keys spread
// over those 200 ms. Measured: the time from each key to the scene it brought back, the keys that
// brought none within 2 s, the pages closed, the memory of the server (RSS) and of a game (PSS,
// which shares the libraries fairly), the CPU each side took, and how long one sign-in in the
// middle of it all holds the keys up. One line; with --find-limit, the players come in steps of
// 50 up to N until a step misses the mark, and the line names the last step that met it.
//
//   load_bench [--players N] [--seconds S] [--find-limit]
#include "child_process.h"
#include "web_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kKeyEveryMs = 200;
constexpr long long kLostAfterNs = 2'000'000'000;
constexpr double kMarkMs = 50; // the 99th percentile a key must meet
constexpr int kStep = 50;
constexpr int kStartingAtOnce = 8;  // games being set up at the same time
constexpr int kRetryMs = 15000;     // a step of the setting up that brought nothing by then
constexpr int kGameOverMs = 2500;   // the game-over window shows for two seconds
constexpr int kClickAgainMs = 1000; // a click on the status panel that brought no cheat prompt
constexpr int kLeft = 37;
constexpr int kRight = 39;

struct Options {
    int players = 200;
    int seconds = 30;
    bool findLimit = false;
};

Options optionsFrom(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QStringLiteral("--players") && hasValue)
            options.players = std::max(1, arguments[++i].toInt());
        else if (argument == QStringLiteral("--seconds") && hasValue)
            options.seconds = std::max(1, arguments[++i].toInt());
        else if (argument == QStringLiteral("--find-limit"))
            options.findLimit = true;
        else
            std::fprintf(stderr, "load: ignored %s\n", qPrintable(argument));
    }
    return options;
}

// A message's type, found without reading the rest of it: no other object of the protocol has a
// "t", and inside a text its quotes are escaped.
QStringView typeOf(const QString& message) {
    static const QString kType = QStringLiteral("\"t\":\"");
    const qsizetype start = message.indexOf(kType);
    if (start < 0)
        return {};
    const qsizetype from = start + kType.size();
    return QStringView(message).mid(from, message.indexOf(QLatin1Char('"'), from) - from);
}

// Whether a scene moved a piece: a label in a window other than the main one. The clock alone
// changes the main window's time left and the board's place.
bool movesPieces(const QString& scene) {
    const QJsonObject windows =
        QJsonDocument::fromJson(scene.toUtf8()).object().value(QLatin1String("windows")).toObject();
    for (auto window = windows.begin(); window != windows.end(); ++window) {
        if (window.key() == QLatin1String("m"))
            continue;
        const QJsonObject controls = window->toObject().value(QLatin1String("controls")).toObject();
        for (const QJsonValue& control : controls)
            if (control.toObject().value(QLatin1String("k")) == QLatin1String("label"))
                return true;
    }
    return false;
}

// Whether a scene shows a window besides the main one and the board: the shop, opened when the
// game is over (the board drifted away under the player, or a monster knocked it off).
bool offTheBoard(const QString& scene) {
    static const QString kOrder = QStringLiteral("\"order\":[");
    const qsizetype start = scene.indexOf(kOrder);
    const qsizetype end = scene.indexOf(QLatin1Char(']'), start);
    return start >= 0 && QStringView(scene).mid(start, end - start).count(QLatin1Char(',')) > 1;
}

// A key sent, and how long its scene took: kNone while none came, kUncounted when the game was
// over before it.
struct Key {
    static constexpr double kNone = -1;
    static constexpr double kUncounted = -2;
    long long sentNs = 0;
    double ms = kNone;
};

// A page that plays: it starts a game, then walks when told to, timing every key. A game that is
// over is restored with the cheat code and the shop closed, and the walk goes on.
class Player {
  public:
    enum class Stage { Joining, Naming, Named, Cheating, Cheated, Walking, Failed };

    Player(const WebServer& server, const QByteArray& cookie, QString name, int phaseMs)
        : name_(std::move(name)), phaseMs_(phaseMs) {
        QObject::connect(&socket_, &QWebSocket::connected, [this] { send("{\"t\":\"play\"}"); });
        QObject::connect(&socket_, &QWebSocket::disconnected, [this] { closed_ = true; });
        QObject::connect(&socket_, &QWebSocket::textMessageReceived,
                         [this](const QString& text) { received(text); });
        keyTimer_.setTimerType(Qt::PreciseTimer);
        keyTimer_.setInterval(kKeyEveryMs);
        QObject::connect(&keyTimer_, &QTimer::timeout, [this] { pressKey(); });
        retry_.setSingleShot(true);
        retry_.setInterval(kRetryMs);
        QObject::connect(&retry_, &QTimer::timeout, [this] { retry(); });
        QNetworkRequest request{QUrl(server.webSocketUrl())};
        request.setRawHeader("Cookie", cookie);
        request.setRawHeader("Origin", server.url().toUtf8());
        socket_.open(request);
        retry_.start();
    }

    Stage stage() const { return stage_; }
    bool settingUp() const { return stage_ != Stage::Walking && stage_ != Stage::Failed; }
    bool closed() const { return closed_; }
    int ended() const { return ended_; }
    // How many times the game was over and restored.
    int restored() const { return restored_; }
    const std::vector<Key>& keys() const { return keys_; }

    void walk(bool on) {
        walking_ = on;
        if (!on) {
            keyTimer_.stop();
            return;
        }
        QTimer::singleShot(phaseMs_, Qt::PreciseTimer, &keyTimer_, [this] {
            if (walking_ && stage_ == Stage::Walking) {
                pressKey();
                keyTimer_.start();
            }
        });
    }
    // A key older than the limit with its scene still to come is lost; forgets it.
    void dropLost(long long nowNs) {
        while (!waiting_.empty() && nowNs - keys_[waiting_.front()].sentNs > kLostAfterNs)
            waiting_.pop_front();
    }

  private:
    void send(const char* message) {
        socket_.sendTextMessage(QString::fromLatin1(message));
        socket_.flush();
    }
    void answer(const QString& text) {
        send(QStringLiteral("{\"t\":\"answer\",\"ok\":true,\"text\":\"%1\"}")
                 .arg(text)
                 .toLatin1()
                 .constData());
    }
    // The status panel's first caption, "LV:", which asks for the cheat code.
    void clickStatus() {
        send(R"({"t":"click","window":"m","x":300,"y":240})");
        retry_.start(kClickAgainMs);
    }
    void retry() {
        if (stage_ == Stage::Cheating)
            clickStatus();
        else if (settingUp())
            stage_ = Stage::Failed;
    }
    void pressKey() {
        const int code = keys_.size() % 2 ? kLeft : kRight;
        waiting_.push_back(keys_.size());
        keys_.push_back({monotonicNs(), Key::kNone});
        send(code == kLeft ? R"({"t":"key","code":37,"char":0})"
                           : R"({"t":"key","code":39,"char":0})");
    }

    void received(const QString& message) {
        const QStringView type = typeOf(message);
        if (type == u"scene")
            scene(message);
        else if (type == u"dialog")
            dialog();
        else if (type == u"dialogDone")
            dialogDone();
        else if (type == u"ended" || type == u"crashed")
            ++ended_;
    }
    void scene(const QString& message) {
        if (stage_ == Stage::Joining) {
            stage_ = Stage::Naming;
            send(R"({"t":"key","code":78,"char":110})");
            retry_.start();
        } else if (stage_ == Stage::Walking && offTheBoard(message)) {
            ++restored_;
            keyTimer_.stop();
            for (const size_t key : waiting_)
                keys_[key].ms = Key::kUncounted;
            waiting_.clear();
            // Once the game-over window has gone, which it does by itself after two seconds.
            stage_ = Stage::Cheating;
            QTimer::singleShot(kGameOverMs, &retry_, [this] { clickStatus(); });
        } else if (stage_ == Stage::Walking && !waiting_.empty() && movesPieces(message)) {
            Key& key = keys_[waiting_.front()];
            waiting_.pop_front();
            key.ms = (monotonicNs() - key.sentNs) / 1e6;
        }
    }
    // What comes after the answer waits for the game to go on from the dialog.
    void dialogDone() {
        if (stage_ == Stage::Named) {
            // Once the status panel has come with the board.
            stage_ = Stage::Cheating;
            QTimer::singleShot(300, &retry_, [this] { clickStatus(); });
        } else if (stage_ == Stage::Cheated) {
            stage_ = Stage::Walking;
            retry_.setInterval(kRetryMs);
            if (restored_ > 0)
                send(R"({"t":"key","code":27,"char":27})"); // closes the shop
            if (walking_)
                keyTimer_.start();
        }
    }
    void dialog() {
        if (stage_ == Stage::Naming) {
            stage_ = Stage::Named;
            answer(name_);
        } else if (stage_ == Stage::Cheating) {
            stage_ = Stage::Cheated;
            retry_.stop();
            answer(QStringLiteral("qyx"));
        } else if (stage_ == Stage::Walking) {
            // Whatever the walk brought up, a message or a question, is let go.
            answer(QString());
        }
    }

    QWebSocket socket_;
    QString name_;
    int phaseMs_;
    Stage stage_ = Stage::Joining;
    QTimer keyTimer_;
    QTimer retry_;
    std::vector<Key> keys_;
    std::deque<size_t> waiting_; // keys whose scene is still to come, oldest first
    bool closed_ = false;
    int ended_ = 0;
    int restored_ = 0;
    bool walking_ = false;
};

// A figure of a process's /proc status file, in kB ("VmRSS:", "Pss:").
double kilobytes(const std::string& file, const std::string& field) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size()));
    return 0;
}

// The processes the server started: its games.
std::vector<pid_t> childrenOf(qint64 pid) {
    std::vector<pid_t> children;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream in(
            (tasks + QLatin1Char('/') + task + QStringLiteral("/children")).toStdString());
        for (pid_t child = 0; in >> child;)
            children.push_back(child);
    }
    return children;
}

double clientCpuNs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ns = [](const timeval& time) { return time.tv_sec * 1e9 + time.tv_usec * 1e3; };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

// The CPU the processes took so far, the threads that have ended included; one that has ended
// counts nothing.
double cpuNsOf(const std::vector<pid_t>& pids) {
    static const double kNsPerTick = 1e9 / static_cast<double>(sysconf(_SC_CLK_TCK));
    double ticks = 0;
    for (const pid_t pid : pids) {
        std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(in, line);
        // After the name in parentheses: the state, then ten fields, then user and system time.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::string skipped;
        for (int i = 0; i < 11; ++i)
            fields >> skipped;
        double user = 0, system = 0;
        if (fields >> user >> system)
            ticks += user + system;
    }
    return ticks * kNsPerTick;
}

// What one stretch of walking showed.
struct Stretch {
    int games = 0;
    std::vector<double> ms; // the keys' times, sorted
    int lost = 0;
    int closed = 0;
    int ended = 0;
    int restored = 0; // games over, restored with the cheat code
    double seconds = 0;
    double serverMb = 0;
    double gameMb = 0;
    double serverCores = 0;
    double gamesCores = 0;
    double clientCores = 0;
    double signInMs = 0;
    double stalledMs = 0; // the slowest key sent while the sign-in was under way

    double percentile(double p) const {
        if (ms.empty())
            return 0;
        const auto rank = static_cast<size_t>(std::ceil(p / 100 * static_cast<double>(ms.size())));
        return ms[std::clamp<size_t>(rank, 1, ms.size()) - 1];
    }
    bool metMark() const { return lost == 0 && closed == 0 && percentile(99) <= kMarkMs; }
};

class Load {
  public:
    bool serverUp() const { return server_.running(); }

    // Signs players up until there are that many and starts their games, each as soon as it is
    // signed up while the next signs up, a few at a time.
    void grow(int count) {
        for (int i = static_cast<int>(players_.size()); i < count; ++i) {
            const QByteArray cookie = signUp(server_, nameOf(i));
            waitUntil([&] { return settingUp() < kStartingAtOnce; }, 60000);
            players_.push_back(
                std::make_unique<Player>(server_, cookie, nameOf(i), phaseOf(i, count)));
        }
        waitUntil([&] { return settingUp() == 0; }, 60000);
        // The server's first sign-in may cost more than the ones after: not the one measured.
        if (!warmedUp_)
            warmedUp_ = !signUp(server_, nameOf(0), true).isEmpty();
    }

    // Every walking player presses keys for a while; then one player signs in again.
    Stretch walk(int seconds) {
        Stretch stretch;
        std::vector<Player*> walking;
        for (const auto& player : players_)
            if (player->stage() != Player::Stage::Failed && !player->closed())
                walking.push_back(player.get());
        stretch.games = static_cast<int>(walking.size());
        const std::vector<pid_t> games = childrenOf(server_.pid());
        std::vector<size_t> keysBefore;
        std::vector<int> restoredBefore;
        for (Player* player : walking) {
            keysBefore.push_back(player->keys().size());
            restoredBefore.push_back(player->restored());
            player->walk(true);
        }

        QTimer lostKeys;
        QObject::connect(&lostKeys, &QTimer::timeout, [&] {
            for (Player* player : walking)
                player->dropLost(monotonicNs());
        });
        lostKeys.start(100);

        const std::vector<pid_t> server{static_cast<pid_t>(server_.pid())};
        const double serverBefore = cpuNsOf(server);
        const double gamesBefore = cpuNsOf(games);
        const double clientBefore = clientCpuNs();
        const long long startNs = monotonicNs();
        settle(seconds * 1000);
        const long long endNs = monotonicNs();
        stretch.seconds = (endNs - startNs) / 1e9;
        const double wallNs = static_cast<double>(endNs - startNs);
        stretch.serverCores = (cpuNsOf(server) - serverBefore) / wallNs;
        stretch.gamesCores = (cpuNsOf(games) - gamesBefore) / wallNs;
        stretch.clientCores = (clientCpuNs() - clientBefore) / wallNs;
        stretch.serverMb = kilobytes(procFile(server_.pid(), "status"), "VmRSS:") / 1024;
        double pss = 0;
        for (const pid_t game : games)
            pss += kilobytes(procFile(game, "smaps_rollup"), "Pss:");
        stretch.gameMb = games.empty() ? 0 : pss / static_cast<double>(games.size()) / 1024;

        // One sign-in while the keys go on, its hashing on the server's only thread.
        const long long signInNs = monotonicNs();
        signUp(server_, nameOf(0), true);
        const long long signedInNs = monotonicNs();
        stretch.signInMs = (signedInNs - signInNs) / 1e6;
        settle(static_cast<int>(kLostAfterNs / 1'000'000));
        for (Player* player : walking)
            player->walk(false);
        settle(static_cast<int>(kLostAfterNs / 1'000'000));

        for (size_t p = 0; p < walking.size(); ++p) {
            const std::vector<Key>& keys = walking[p]->keys();
            for (size_t k = keysBefore[p]; k < keys.size(); ++k) {
                if (keys[k].sentNs >= signInNs && keys[k].sentNs <= signedInNs)
                    stretch.stalledMs = std::max(stretch.stalledMs, keys[k].ms);
                if (keys[k].sentNs > endNs)
                    continue;
                if (keys[k].ms == Key::kNone)
                    ++stretch.lost;
                else if (keys[k].ms == Key::kUncounted)
                    continue;
                else
                    stretch.ms.push_back(keys[k].ms);
            }
            stretch.closed += walking[p]->closed();
            stretch.ended += walking[p]->ended();
            stretch.restored += walking[p]->restored() - restoredBefore[p];
        }
        std::sort(stretch.ms.begin(), stretch.ms.end());
        return stretch;
    }

  private:
    static QString nameOf(int i) { return QStringLiteral("Load %1").arg(i + 1); }
    // The players' keys spread evenly over the time between two keys.
    static int phaseOf(int i, int count) { return i * kKeyEveryMs / count; }
    static std::string procFile(qint64 pid, const char* name) {
        return "/proc/" + std::to_string(pid) + "/" + name;
    }
    int settingUp() const {
        return static_cast<int>(std::ranges::count_if(
            players_, [](const auto& player) { return player->settingUp(); }));
    }

    WebServer server_;
    bool warmedUp_ = false;
    std::vector<std::unique_ptr<Player>> players_;
};

void print(const Stretch& stretch, int asked, int lastMet, bool searched) {
    std::printf("load: %d games at once", stretch.games);
    if (stretch.games < asked)
        std::printf(" (of %d asked)", asked);
    const double keys = static_cast<double>(stretch.ms.size()) + stretch.lost;
    std::printf(
        ", %.0f keys/s, key to scene median %.1f ms, 99th percentile %.0f ms, %d keys lost, "
        "%d pages closed",
        keys / stretch.seconds, stretch.percentile(50), stretch.percentile(99), stretch.lost,
        stretch.closed);
    if (stretch.ended)
        std::printf(", %d games ended", stretch.ended);
    if (stretch.restored)
        std::printf(", %d games over restored with the cheat code", stretch.restored);
    std::printf("; server %.0f MB (RSS), %.1f MB per game (PSS); CPU: server %.0f%% of a core, "
                "games %.0f%%, this client %.0f%%; a sign-in took %.0f ms and held keys up to "
                "%.0f ms",
                stretch.serverMb, stretch.gameMb, stretch.serverCores * 100,
                stretch.gamesCores * 100, stretch.clientCores * 100, stretch.signInMs,
                stretch.stalledMs);
    if (!stretch.metMark()) {
        std::printf(" -- MISSED: the 99th percentile must stay within %.0f ms with no key lost",
                    kMarkMs);
        if (lastMet > 0)
            std::printf("; %d games met it", lastMet);
        else if (searched)
            std::printf("; not even %d games met it", kStep);
        else
            std::printf(" (--find-limit finds how many games meet it)");
    }
    if (stretch.clientCores > 0.5)
        std::printf("; WARNING: this client took over half a core, it may hold the keys up too");
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const Options options = optionsFrom(QCoreApplication::arguments());
    Load load;
    if (!load.serverUp()) {
        std::puts("load: vexmoor-server did not start");
        return 1;
    }
    int lastMet = 0;
    for (int players = options.findLimit ? std::min(kStep, options.players) : options.players;;
         players = std::min(players + kStep, options.players)) {
        load.grow(players);
        const Stretch stretch = load.walk(options.seconds);
        if (stretch.games == 0) {
            std::puts("load: no game started");
            return 1;
        }
        if (options.findLimit)
            std::fprintf(stderr, "load: %d games, 99th percentile %.0f ms, %d keys lost\n",
                         stretch.games, stretch.percentile(99), stretch.lost);
        if (options.findLimit && stretch.metMark() && players < options.players) {
            lastMet = players;
            continue;
        }
        print(stretch, players, lastMet, options.findLimit);
        return 0;
    }
}
