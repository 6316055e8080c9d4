// One exchange of blows a turn between the player and the first monster touching it.
#include "board/board_window.h"

#include "shell/game.h"
#include "ui/platform.h"
#include "ui/stat.h"

namespace {

// A monster strikes below this draw from 100, the player above it; on it nothing happens.
constexpr int kEvenDraw = 50;
constexpr double kBlowDie = 100;
// The four ways a blow knocks the player back: down, right, up, left.
constexpr double kKnockBackDie = 4;
// The most gold a killed monster drops.
constexpr double kLootDie = 10;
// Below this energy the player is warned.
constexpr double kLowEnergy = 10;

// The three monsters in the order they are looked at, with the stat that absorbs their blows.
struct Member {
    ui::Label BoardWindow::*monster;
    ui::Label MainWindow::*protection;
    const char* message;
};

constexpr Member kMembers[] = {
    {&BoardWindow::demon, &MainWindow::armor, "Demon Attack!"},
    {&BoardWindow::spider, &MainWindow::serum, "Spider Attack!"},
    {&BoardWindow::bat, &MainWindow::serum, "BAT Attack!"},
};

void knockBack(ui::Label& player, int d) {
    switch (d) {
    case 1:
        player.setTop(player.top() + player.height());
        break;
    case 2:
        player.setLeft(player.left() + player.width());
        break;
    case 3:
        player.setTop(player.top() - player.height());
        break;
    default:
        player.setLeft(player.left() - player.width());
        break;
    }
}

} // namespace

void BoardWindow::fight() {
    MainWindow& status = game_.mainWindow();
    ui::Platform& platform = game_.platform();
    ui::Stat hits(status.hits), energy(status.energy);
    if (hits.atMost(0))
        status.setMessage(QStringLiteral("No hits!!!"));
    if (energy.below(kLowEnergy))
        status.setMessage(QStringLiteral("Low energy!!!"));
    if (energy.atMost(0)) {
        fallIntoRavine();
        return;
    }

    const Member* opponent = nullptr;
    for (const Member& member : kMembers) {
        const ui::Label& monster = this->*member.monster;
        if (monster.visible() && touches(monster, player)) {
            opponent = &member;
            break;
        }
    }
    if (!opponent)
        return;
    ui::Label& monster = this->*opponent->monster;
    ui::Stat monsterLevel(monster);
    const auto level = monsterLevel.value();
    const int r = ui::draw(platform, kBlowDie);

    if (r < kEvenDraw) {
        // The monster strikes: the protection takes the blow first.
        ui::Stat protection(status.*opponent->protection);
        if (level)
            protection.add(-*level);
        if (protection.above(0))
            return;
        // Through the protection, the whole level comes off the energy.
        protection.set(0);
        if (level)
            energy.add(-*level);
        status.setMessage(QString::fromLatin1(opponent->message));
        knockBack(player, ui::draw(platform, kKnockBackDie));
        if (playerOffBoard())
            fallIntoRavine();
    } else if (r > kEvenDraw) {
        // The player strikes: the last level needs no hit to kill.
        const int loot = ui::draw(platform, kLootDie);
        if (monsterLevel.atMost(1)) {
            ui::Stat(status.gold).add(loot);
            monster.setVisible(false);
            gate.setVisible(true);
        }
        if (hits.above(0)) {
            monsterLevel.add(-1);
            hits.add(-1);
            status.setMessage(QStringLiteral("Your Attack!"));
        }
    }
}
