#include "server/games_board.h"

#include <QDateTime>
#include <QJsonObject>

namespace {

std::optional<int> intOrNothing(const QJsonValue& value) {
    return value.isDouble() ? std::optional<int>(value.toInt()) : std::nullopt;
}

} // namespace

GamesBoard::GamesBoard(Store& store, const Games& games) : store_(store), games_(games) {
    timer_.setInterval(kPublishMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { publish(); });
}

GamesBoard::~GamesBoard() {
    if (timer_.isActive())
        store_.publishGames(server_, {}, QDateTime::currentSecsSinceEpoch());
}

void GamesBoard::start(const QString& server) {
    server_ = server;
    publish();
    timer_.start();
}

void GamesBoard::publish() {
    std::vector<GameRow> rows;
    for (const QJsonValue& value : games_.list()) {
        const QJsonObject game = value.toObject();
        rows.push_back({server_, game.value(QStringLiteral("id")).toString(),
                        game.value(QStringLiteral("player")).toString(),
                        intOrNothing(game.value(QStringLiteral("level"))),
                        intOrNothing(game.value(QStringLiteral("timeLeft"))),
                        game.value(QStringLiteral("watchers")).toInt(),
                        game.value(QStringLiteral("challenge")).toBool()});
    }
    store_.publishGames(server_, rows, QDateTime::currentSecsSinceEpoch());
}

QJsonArray GamesBoard::list() const {
    QJsonArray list = games_.list();
    for (const GameRow& game : store_.gamesElsewhere(server_, QDateTime::currentSecsSinceEpoch())) {
        QJsonObject row{{QStringLiteral("id"), game.id},
                        {QStringLiteral("player"), game.player},
                        {QStringLiteral("watchers"), game.watchers},
                        {QStringLiteral("server"), game.server}};
        if (game.level)
            row.insert(QStringLiteral("level"), *game.level);
        if (game.timeLeft)
            row.insert(QStringLiteral("timeLeft"), *game.timeLeft);
        if (game.challenge)
            row.insert(QStringLiteral("challenge"), true);
        list.append(row);
    }
    return list;
}
