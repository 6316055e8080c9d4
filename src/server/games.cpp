#include "server/games.h"

#include "server/fame.h"
#include "ui/game_seed.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimer>
#include <QWebSocket>

namespace {

constexpr int kShutdownMs = 5000;

void tell(QWebSocket* page, const char* type, const QString& text) {
    sendTo(page, {{QStringLiteral("t"), QLatin1String(type)}, {QStringLiteral("text"), text}});
}

} // namespace

std::optional<QJsonObject> pageMessage(const QString& text) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

Games::Games(Store& store, Settings settings) : store_(store), settings_(std::move(settings)) {}

Games::~Games() {
    // The pages go first, told nothing: a page that closed later would reach a registry gone.
    for (QWebSocket* page : pages_.keys()) {
        page->disconnect();
        delete page;
    }
    for (Game* game : games_)
        delete game;
}

QString Games::folderOf(int player) const {
    return settings_.playersFolder + QLatin1Char('/') + QString::number(player);
}

std::optional<QString> Games::recording(int player, const QString& file) const {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*\\.txt$"));
    const QString path = folderOf(player) + QStringLiteral("/recordings/") + file;
    if (file.size() > 200 || !name.match(file).hasMatch() || !QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

void Games::addPage(QWebSocket* page, std::optional<PlayerRecord> player) {
    page->setMaxAllowedIncomingMessageSize(limits::kMessageBytes);
    page->setMaxAllowedIncomingFrameSize(limits::kMessageBytes);
    pages_.insert(page, {std::move(player), nullptr, now_(), 0});
    QObject::connect(page, &QWebSocket::textMessageReceived, page,
                     [this, page](const QString& text) { received(page, text); });
    QObject::connect(page, &QWebSocket::binaryMessageReceived, page,
                     [page] { page->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported); });
    QObject::connect(page, &QWebSocket::disconnected, page, [this, page] {
        detach(page);
        pages_.remove(page);
        page->deleteLater();
    });
}

bool Games::withinRate(PageState& state) {
    const qint64 now = now_();
    if (now - state.secondStarted >= 1000) {
        state.secondStarted = now;
        state.messages = 0;
    }
    return ++state.messages <= limits::kMessagesPerSecond;
}

void Games::received(QWebSocket* page, const QString& text) {
    if (!withinRate(pages_[page])) {
        qInfo("a page closed: too many messages");
        page->close(QWebSocketProtocol::CloseCodePolicyViolated);
        return;
    }
    const std::optional<QJsonObject> parsed = pageMessage(text);
    if (!parsed) {
        page->close(QWebSocketProtocol::CloseCodeProtocolError);
        return;
    }
    const QJsonObject& message = *parsed;
    const QString type = message.value(QStringLiteral("t")).toString();
    const PageState state = pages_.value(page);
    if (type == QLatin1String("watch")) {
        watch(page, message.value(QStringLiteral("game")).toString());
    } else if (type == QLatin1String("play") || type == QLatin1String("replay")) {
        if (!state.player)
            tell(page, "error", QStringLiteral("Sign in to play."));
        else if (type == QLatin1String("play"))
            play(page, *state.player, message);
        else
            replay(page, *state.player, message.value(QStringLiteral("file")).toString());
    } else if (state.game) {
        static const QStringList kInputs = {QStringLiteral("key"), QStringLiteral("click"),
                                            QStringLiteral("answer"), QStringLiteral("close")};
        if (kInputs.contains(type))
            state.game->input(page, message);
    }
}

QString Games::today() const {
    return settings_.today().toString(Qt::ISODate);
}

bool Games::isKept(const QString& recording) const {
    return challenge::isKept(challenge::dayOfRecording(recording), today());
}

void Games::play(QWebSocket* page, const PlayerRecord& player, const QJsonObject& message) {
    const bool seeded = message.contains(QStringLiteral("seed"));
    const bool daily = message.value(QStringLiteral("daily")).toBool();
    if (seeded && !ui::seedFromText(message.value(QStringLiteral("seed")).toString())) {
        tell(page, "error", QStringLiteral("A seed is a whole number from 0 to 4294967295."));
        return;
    }
    Game* game = nullptr;
    for (Game* running : games_) {
        if (running->player().id == player.id && !running->isReplay())
            game = running;
    }
    // Only the day's challenge under way is what a new game of that seed would be.
    if (game && (seeded || daily) && !(daily && game->challengeDay() == today())) {
        tell(page, "error",
             QStringLiteral("Your game under way comes first: end it before you start another."));
        return;
    }
    if (game && game == pages_[page].game && game->playerPage() == page)
        return;
    if (!game)
        game = startPlaying(page, player, daily, message.value(QStringLiteral("seed")).toString());
    if (!game)
        return;
    detach(page);
    pages_[page].game = game;
    if (QWebSocket* before = game->join(page, Game::Role::Player)) {
        pages_[before].game = nullptr;
        tell(before, "ended", QStringLiteral("The game went on in another page."));
    }
}

Game* Games::startPlaying(QWebSocket* page, const PlayerRecord& player, bool daily,
                          const QString& seed) {
    if (!QDir().mkpath(folderOf(player.id))) {
        tell(page, "error", QStringLiteral("The server cannot keep your games."));
        return nullptr;
    }
    QStringList arguments = {QStringLiteral("--data"), folderOf(player.id)};
    if (!daily) {
        if (!seed.isEmpty())
            arguments << QStringLiteral("--seed") << seed;
        return start(player, false, arguments);
    }
    const QString day = today();
    switch (store_.takeDailyTry(player.id, day)) {
    case Store::Try::Taken:
        break;
    case Store::Try::Used:
        tell(page, "error",
             QStringLiteral(
                 "You have played today's challenge; the next one begins at midnight UTC."));
        return nullptr;
    case Store::Try::Failed:
        tell(page, "error",
             QStringLiteral("The server cannot reach its database; try again in a moment."));
        return nullptr;
    }
    arguments << QStringLiteral("--challenge")
              << QString::number(challenge::seedOf(store_.secret(), day));
    return start(player, false, arguments, day);
}

void Games::watch(QWebSocket* page, const QString& id) {
    Game* game = gameNamed(id);
    if (!game) {
        tell(page, "error", QStringLiteral("There is no such game under way."));
        return;
    }
    detach(page);
    pages_[page].game = game;
    game->join(page, Game::Role::Watcher);
}

void Games::replay(QWebSocket* page, const PlayerRecord& player, const QString& file) {
    const std::optional<QString> path = recording(player.id, file);
    if (!path) {
        tell(page, "error", QStringLiteral("There is no such recording."));
        return;
    }
    if (isKept(*path)) {
        tell(page, "error", QLatin1String(challenge::kFilesKept));
        return;
    }
    detach(page);
    Game* game = start(player, true, {QStringLiteral("--replay"), *path});
    pages_[page].game = game;
    game->join(page, Game::Role::Replay);
}

void Games::detach(QWebSocket* page) {
    const auto state = pages_.find(page);
    if (state == pages_.end() || !state->game)
        return;
    state->game->leave(page);
    state->game = nullptr;
}

Game* Games::start(const PlayerRecord& player, bool replay, const QStringList& arguments,
                   const QString& challengeDay) {
    const QString id = QStringLiteral("g") + QString::number(++lastId_);
    Game::Hooks hooks{[this](Game& game, const QJsonObject& message) { enterFame(game, message); },
                      [this](Game& game) { finished(game); }};
    auto* game = new Game({id, player, replay, settings_.program, arguments,
                           replay ? QString() : folderOf(player.id), settings_.abandonAfter,
                           settings_.idleAfter, challengeDay},
                          std::move(hooks));
    games_.push_back(game);
    qInfo("game %s: %s for player %d", qPrintable(id),
          replay                   ? "playback"
          : challengeDay.isEmpty() ? "started"
                                   : "the day's challenge started",
          player.id);
    if (!replay)
        game->send(fameTable());
    return game;
}

QJsonObject Games::fameTable() {
    const QString day = today();
    return fame::tableMessage(store_.bestFame(fame::kShown), store_.dayFame(day, fame::kShown),
                              day);
}

void Games::enterFame(Game& game, const QJsonObject& message) {
    std::optional<FameRow> row = fame::rowFrom(message, game.player().id);
    if (!row || game.isReplay())
        return;
    // A day is a challenge's only with the server's seed of that day.
    if (!row->day.isEmpty() && row->seed != challenge::seedOf(store_.secret(), row->day))
        row->day.clear();
    // A game that continued updates its own entry; any other serial is not the player's to touch.
    const int serial =
        row->serial > 0 && store_.updateFame(*row) ? row->serial : store_.enterFame(*row);
    const bool saved = serial > 0;
    qInfo("game %s entered the hall of fame as %d", qPrintable(game.id()), serial);
    game.send({{QStringLiteral("t"), QStringLiteral("fameEntered")},
               {QStringLiteral("game"), message.value(QStringLiteral("game"))},
               {QStringLiteral("serial"), serial},
               {QStringLiteral("saved"), saved}});
    const QJsonObject table = fameTable();
    for (Game* running : games_) {
        if (!running->isReplay())
            running->send(table);
    }
}

void Games::finished(Game& game) {
    qInfo("game %s ended", qPrintable(game.id()));
    for (PageState& state : pages_) {
        if (state.game == &game)
            state.game = nullptr;
    }
    std::erase(games_, &game);
    game.deleteLater();
    if (allEnded_ && games_.empty())
        std::exchange(allEnded_, nullptr)();
}

std::vector<const Game*> Games::underWay() const {
    std::vector<const Game*> out;
    std::ranges::copy_if(games_, std::back_inserter(out),
                         [](const Game* game) { return !game->isReplay(); });
    return out;
}

QJsonArray Games::list() const {
    const QString day = today();
    QJsonArray out;
    for (const Game* game : underWay()) {
        const QJsonObject& status = game->status();
        QJsonObject row{{QStringLiteral("id"), game->id()},
                        {QStringLiteral("player"), game->player().name},
                        {QStringLiteral("level"), status.value(QStringLiteral("level"))},
                        {QStringLiteral("timeLeft"), status.value(QStringLiteral("timeLeft"))},
                        {QStringLiteral("watchers"), game->watchers()}};
        if (game->challengeDay() == day)
            row.insert(QStringLiteral("challenge"), true);
        out.append(row);
    }
    return out;
}

Game* Games::gameNamed(const QString& id) const {
    const auto found = std::ranges::find(games_, id, &Game::id);
    return found == games_.end() || (*found)->isReplay() ? nullptr : *found;
}

bool Games::end(const QString& id, const QString& why) {
    Game* game = gameNamed(id);
    if (game)
        game->end(why);
    return game;
}

void Games::endAll(std::function<void()> done) {
    if (games_.empty()) {
        done();
        return;
    }
    allEnded_ = std::move(done);
    for (Game* game : games_)
        game->end();
    QTimer::singleShot(kShutdownMs, [this] {
        if (allEnded_)
            std::exchange(allEnded_, nullptr)();
    });
}
