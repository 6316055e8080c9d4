// What the board window sounds like: its objects with their places from the player, and the
// edges the player is about to fall from.
#include "board/sightings.h"

#include "board/board_window.h"
#include "ui/keys.h"

#include <cmath>
#include <optional>
#include <span>

namespace {

// An object is near within this many steps of the player along both axes, and holes are told
// only then; edges within this many steps of the player.
constexpr int kNear = 4;
constexpr int kNearEdge = 3;

struct Kind {
    ui::Label BoardWindow::*object;
    const char* name;
    bool monster = false; // said with its strength
    bool news = false;
};

constexpr Kind kOnBoard[] = {
    {&BoardWindow::gate, "gate", false, true}, {&BoardWindow::secretPassage, "secret passage"},
    {&BoardWindow::goldPickup, "gold"},        {&BoardWindow::hitsPickup, "hits"},
    {&BoardWindow::foodPickup, "food"},        {&BoardWindow::serumPickup, "serum"},
    {&BoardWindow::quicksand, "quicksand"},    {&BoardWindow::demon, "demon", true},
    {&BoardWindow::spider, "spider", true},    {&BoardWindow::bat, "bat", true},
};

constexpr Kind kOnPath[] = {
    {&BoardWindow::pathTime, "time"},
    {&BoardWindow::pathGold, "gold"},
    {&BoardWindow::pathFood, "food"},
};

// The steps along one axis that bring the player into touch with the object, the other axis
// aside: negative to the left or up, 0 while they touch along it; nothing beyond the limit.
std::optional<int> stepsTo(const ui::Label& object, const ui::Label& player, bool across,
                           int limit) {
    ui::Label probe;
    for (int steps = 0; steps <= limit; ++steps) {
        for (const int sign : {1, -1}) {
            const double shift = sign * steps * BoardWindow::kStep;
            probe.setRect(across ? ui::Rect{player.left() + shift, object.top(), player.width(),
                                            player.height()}
                                 : ui::Rect{object.left(), player.top() + shift, player.width(),
                                            player.height()});
            if (BoardWindow::touches(object, probe))
                return sign * steps;
        }
    }
    return std::nullopt;
}

QString stepsText(int steps, const char* towards, const char* backwards) {
    const int count = std::abs(steps);
    return QStringLiteral("%1 step%2 %3")
        .arg(count)
        .arg(count == 1 ? "" : "s")
        .arg(QLatin1String(steps > 0 ? towards : backwards));
}

// "2 steps left, 4 steps up", or "touching".
QString placeText(int across, int down) {
    QStringList parts;
    if (across)
        parts << stepsText(across, "right", "left");
    if (down)
        parts << stepsText(down, "down", "up");
    return parts.isEmpty() ? QStringLiteral("touching") : parts.join(QStringLiteral(", "));
}

bool inSight(const ui::Label& label) {
    return label.drawnArea().has_value();
}

} // namespace

std::vector<Sighting> sightings(const BoardWindow& boardWindow) {
    const bool onPath = boardWindow.onPath.isSet();
    const ui::Label& player = boardWindow.playerNow();
    const bool placed = inSight(player);
    // Any place in the window is fewer steps away than this.
    const int farthest =
        static_cast<int>((boardWindow.width() + boardWindow.height()) / BoardWindow::kStep) + 1;
    std::vector<Sighting> seen;
    const auto see = [&](const ui::Label& object, QString text, bool news, int limit) {
        if (!inSight(object))
            return;
        bool near = false;
        if (placed) {
            const auto across = stepsTo(object, player, true, limit);
            const auto down = stepsTo(object, player, false, limit);
            if (!across || !down)
                return;
            text += QStringLiteral(", ") + placeText(*across, *down);
            near = std::abs(*across) <= kNear && std::abs(*down) <= kNear;
        }
        seen.push_back({&object, text, news, near});
    };
    for (const Kind& kind :
         onPath ? std::span<const Kind>(kOnPath) : std::span<const Kind>(kOnBoard)) {
        const ui::Label& object = boardWindow.*kind.object;
        QString name = QLatin1String(kind.name);
        if (kind.monster)
            name += QLatin1Char(' ') + object.text();
        see(object, name, kind.news, farthest);
    }
    if (onPath && placed) {
        const ui::LabelArray& holes = boardWindow.holes;
        for (int i = 0; i < holes.count(); ++i)
            if (holes.isLoaded(i))
                see(holes[i], QStringLiteral("hole"), true, kNear);
    }
    return seen;
}

QStringList edgesNear(const BoardWindow& boardWindow) {
    QStringList edges;
    const ui::Label& player = boardWindow.player;
    if (boardWindow.onPath.isSet() || !inSight(player))
        return edges;
    const struct {
        int key;
        const char* name;
        double across, down;
    } ways[] = {{keys::Left, "left", -1, 0},
                {keys::Right, "right", 1, 0},
                {keys::Up, "up", 0, -1},
                {keys::Down, "down", 0, 1}};
    ui::Label probe;
    for (const auto& way : ways) {
        probe.setRect(player.rect());
        for (int steps = 1; steps <= kNearEdge; ++steps) {
            if (!BoardWindow::stepStaysOnBoard(probe, boardWindow.board, way.key)) {
                edges << QStringLiteral("edge %1 step%2 %3")
                             .arg(steps)
                             .arg(steps == 1 ? "" : "s")
                             .arg(QLatin1String(way.name));
                break;
            }
            probe.setLeft(probe.left() + way.across * BoardWindow::kStep);
            probe.setTop(probe.top() + way.down * BoardWindow::kStep);
        }
    }
    return edges;
}
