#include "replay/player.h"

#include "replay/replay_platform.h"
#include "replay/scene_state.h"
#include "save/save_place.h"
#include "shell/game.h"

#include <QFile>
#include <algorithm>

Player::Player(Game& game, ReplayPlatform& platform, recording::Recording recording)
    : game_(game), platform_(platform), recording_(std::move(recording)) {
    game_.setWatcher(this);
    game_.advance(recording_.startTime);
    // Windows that cannot be brought back take no inputs.
    if (!recording_.state.empty())
        fault_ = scenestate::restore(game_, recording_.state);
    if (fault_)
        next_ = recording_.events.size();
}

Player::~Player() {
    game_.setWatcher(nullptr);
}

std::int64_t Player::endTime() const {
    if (recording_.ended || recording_.events.empty())
        return recording_.ended ? recording_.endTime : recording_.startTime;
    return recording_.events.back().time;
}

bool Player::finished() const {
    return next_ == recording_.events.size() && (fault_ || game_.clock().now() >= endTime());
}

void Player::playUntil(std::int64_t time) {
    if (finished())
        return platform_.finish();
    time = std::min(time, endTime());
    while (next_ < recording_.events.size() && recording_.events[next_].time <= time)
        play(recording_.events[next_++]);
    if (time > game_.clock().now())
        game_.advance(time - game_.clock().now());
    if (finished())
        platform_.finish();
}

void Player::play(const recording::Event& event) {
    game_.advance(event.time - game_.clock().now());
    const QStringList& args = event.args;
    playing_ = true;
    if (event.kind == QLatin1String("start")) {
        game_.start();
    } else if (event.kind == QLatin1String("key")) {
        game_.keyDown(args[0].toInt(), args[1].toInt());
    } else if (event.kind == QLatin1String("click")) {
        if (ui::Label* label = labelAt(args))
            game_.click(*label);
        else if (!fault_)
            fault_ = QStringLiteral("line %1: there is no such label to click").arg(event.line);
    } else if (event.kind == QLatin1String("front") || event.kind == QLatin1String("place")) {
        ui::Window* window = windowAt(args[0].toInt());
        if (!window)
            fault_ =
                fault_.value_or(QStringLiteral("line %1: there is no such window").arg(event.line));
        else if (event.kind == QLatin1String("front"))
            game_.bringToFront(*window);
        else
            game_.placeWindow(*window, {args[1].toDouble(), args[2].toDouble(), args[3].toDouble(),
                                        args[4].toDouble()});
    }
    playing_ = false;
}

ui::Window* Player::windowAt(int index) const {
    if (index < 0)
        return &game_.mainWindow();
    const auto windows = game_.scene().windows();
    return index < static_cast<int>(windows.size()) ? windows[static_cast<std::size_t>(index)]
                                                    : nullptr;
}

ui::Label* Player::labelAt(const QStringList& path) const {
    const ui::Window* window = windowAt(path[0].toInt());
    const int control = path[1].toInt();
    if (!window || control < 0 || control >= static_cast<int>(window->controls().size()))
        return nullptr;
    ui::Control* found = window->controls()[static_cast<std::size_t>(control)];
    if (const int child = path[2].toInt(); child >= 0) {
        auto* board = dynamic_cast<ui::Board*>(found);
        if (!board || child >= static_cast<int>(board->children().size()))
            return nullptr;
        found = board->children()[static_cast<std::size_t>(child)];
    }
    return dynamic_cast<ui::Label*>(found);
}

void Player::openingSavedGame() {
    // The save file as the recorded game found it, in the replay's own folder.
    const auto load = platform_.take(QStringLiteral("load"));
    QFile file(savefile::savePath(platform_));
    if (load && file.open(QIODevice::WriteOnly))
        file.write(load->args[0].toLatin1());
}

std::optional<QString> Player::fault() const {
    if (fault_)
        return fault_;
    if (platform_.fault())
        return platform_.fault();
    if (!recording_.ended)
        return std::nullopt;
    const recording::EndState now = recording::endStateOf(game_.mainWindow());
    for (std::size_t i = 0; i < now.size(); ++i)
        if (now[i] != recording_.end[i])
            return QStringLiteral("line %1: %2 is \"%3\", the recording ends with \"%4\"")
                .arg(recording_.endLine)
                .arg(now[i].first, now[i].second, recording_.end[i].second);
    return std::nullopt;
}

QString Player::verdict() const {
    if (const auto wrong = fault())
        return *wrong;
    if (!recording_.ended)
        return QStringLiteral("line %1: the recording ended unexpectedly here, where its program "
                              "stopped; replayed to its last event")
            .arg(recording_.endLine);
    return QStringLiteral("replay matches");
}

int Player::exitCode() const {
    return fault() ? 1 : recording_.ended ? 0 : 3;
}
