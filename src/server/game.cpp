#include "server/game.h"

#include <QJsonDocument>
#include <QWebSocket>
#include <algorithm>

namespace {

QString text(const QByteArray& line) {
    return QString::fromUtf8(line);
}

QJsonObject message(const char* type, const QString& text = {}) {
    QJsonObject object{{QStringLiteral("t"), QLatin1String(type)}};
    if (!text.isEmpty())
        object.insert(QStringLiteral("text"), text);
    return object;
}

constexpr int kEndGraceMs = 10000;

// "30 minutes", "90 seconds", "1 second".
QString duration(int seconds) {
    const bool minutes = seconds % 60 == 0;
    const int count = minutes ? seconds / 60 : seconds;
    return QStringLiteral("%1 %2%3")
        .arg(count)
        .arg(minutes ? QStringLiteral("minute") : QStringLiteral("second"))
        .arg(count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

void sendTo(QWebSocket* page, const QJsonObject& message) {
    page->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

Game::Game(Setup setup, Hooks hooks)
    : setup_(std::move(setup)), hooks_(std::move(hooks)),
      process_(
          setup_.program, setup_.arguments, setup_.writable,
          [this](const QByteArray& line) { received(line); },
          [this](bool crashed) { processFinished(crashed); }) {
    abandon_.setSingleShot(true);
    abandon_.setInterval(setup_.abandonAfter * 1000);
    connect(&abandon_, &QTimer::timeout, this, [this] {
        qInfo("game %s ends: its player did not come back", qPrintable(id()));
        end();
    });
    idle_.setSingleShot(true);
    idle_.setInterval(setup_.idleAfter * 1000);
    connect(&idle_, &QTimer::timeout, this, [this] {
        qInfo("game %s ends: idle for %d s", qPrintable(id()), setup_.idleAfter);
        end(QStringLiteral("The game ended: no key for %1.").arg(duration(setup_.idleAfter)));
    });
    if (!isReplay())
        idle_.start();
    killAfterEnd_.setSingleShot(true);
    killAfterEnd_.setInterval(kEndGraceMs);
    connect(&killAfterEnd_, &QTimer::timeout, this, [this] { process_.kill(); });
}

int Game::watchers() const {
    return static_cast<int>(std::ranges::count(pages_, Role::Watcher, &Page::role));
}

int Game::idleSeconds() const {
    return setup_.idleAfter - static_cast<int>(idle_.remainingTime() / 1000);
}

QWebSocket* Game::playerPage() const {
    const auto page = std::ranges::find(pages_, Role::Player, &Page::role);
    return page == pages_.end() ? nullptr : page->socket;
}

QWebSocket* Game::join(QWebSocket* page, Role role) {
    QWebSocket* before = nullptr;
    if (role == Role::Player) {
        before = playerPage();
        std::erase_if(pages_, [&](const Page& shown) { return shown.socket == before; });
        if (std::exchange(hidden_, false)) {
            abandon_.stop();
            process_.send(QJsonObject{{QStringLiteral("t"), QStringLiteral("hidden")},
                                      {QStringLiteral("on"), false}});
        }
    }
    pages_.push_back({page, role, true, false});
    static const char* const kRoles[] = {"player", "watcher", "replay"};
    sendTo(page, {{QStringLiteral("t"), QStringLiteral("joined")},
                  {QStringLiteral("game"), id()},
                  {QStringLiteral("role"), QLatin1String(kRoles[static_cast<int>(role)])},
                  {QStringLiteral("player"), player().name}});
    if (!snapshotAsked_) {
        snapshotAsked_ = true;
        process_.send(message("snapshot"));
    }
    return before;
}

void Game::leave(QWebSocket* page) {
    const auto gone = std::ranges::find(pages_, page, &Page::socket);
    if (gone == pages_.end())
        return;
    const Role role = gone->role;
    pages_.erase(gone);
    if (role == Role::Replay) {
        process_.kill();
    } else if (role == Role::Player) {
        hidden_ = true;
        process_.send(QJsonObject{{QStringLiteral("t"), QStringLiteral("hidden")},
                                  {QStringLiteral("on"), true}});
        abandon_.start();
    }
}

void Game::input(QWebSocket* page, const QJsonObject& message) {
    const auto from = std::ranges::find(pages_, page, &Page::socket);
    if (from == pages_.end() || from->role == Role::Watcher)
        return;
    process_.send(message);
    if (from->role == Role::Player)
        idle_.start();
}

void Game::end(const QString& why) {
    // The first reason is the one the pages are told.
    if (endText_.isEmpty())
        endText_ = why;
    idle_.stop();
    process_.send(message("end"));
    killAfterEnd_.start();
}

void Game::relay(const QByteArray& line, bool playerOnly) {
    for (const Page& page : pages_) {
        if (!page.waiting && (!playerOnly || page.role != Role::Watcher))
            page.socket->sendTextMessage(text(line));
    }
}

void Game::received(const QByteArray& line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    const QString type = object.value(QStringLiteral("t")).toString();
    if (type == QLatin1String("scene")) {
        if (object.value(QStringLiteral("full")).toBool()) {
            snapshotAsked_ = false;
            for (Page& page : pages_) {
                page.socket->sendTextMessage(text(line));
                if (std::exchange(page.waiting, false) && !title_.isEmpty())
                    page.socket->sendTextMessage(text(title_));
            }
            return;
        }
        relay(line);
    } else if (type == QLatin1String("dialog")) {
        // The dialog open is sent again after a full scene: only for the pages that lack it, so
        // that the player's answer under way is not thrown away.
        const bool again = line == openDialog_;
        openDialog_ = line;
        for (Page& page : pages_) {
            if (!page.waiting && !(again && page.hasDialog)) {
                page.socket->sendTextMessage(text(line));
                page.hasDialog = true;
            }
        }
    } else if (type == QLatin1String("dialogDone")) {
        openDialog_.clear();
        for (Page& page : pages_)
            page.hasDialog = false;
        relay(line);
    } else if (type == QLatin1String("speak")) {
        relay(line);
    } else if (type == QLatin1String("title")) {
        title_ = line;
        relay(line);
    } else if (type == QLatin1String("help")) {
        relay(line, true);
    } else if (type == QLatin1String("status")) {
        status_ = object;
    } else if (type == QLatin1String("fame")) {
        hooks_.fame(*this, object);
    }
}

void Game::processFinished(bool crashed) {
    abandon_.stop();
    idle_.stop();
    killAfterEnd_.stop();
    const QJsonObject last =
        crashed ? message("crashed",
                          QStringLiteral("The game stopped unexpectedly; its recording is kept."))
                : message("ended", !endText_.isEmpty() ? endText_
                                   : isReplay()        ? QStringLiteral("The playback ended.")
                                                       : QStringLiteral("The game ended."));
    for (const Page& page : pages_)
        sendTo(page.socket, last);
    pages_.clear();
    hooks_.finished(*this);
}
