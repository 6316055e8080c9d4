// A long random game: every key, click and stretch of time in whatever state the game is in,
// with the dice rolling freely. Nothing may crash (the tests also run under the sanitizers) and
// no window may open twice.
#include "game_fixture.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"

#include <random>

namespace {

class SoakTest : public GameTest {
  protected:
    // Every label a player could click: the status panel and the board's objects.
    std::vector<ui::Label*> clickable() {
        std::vector<ui::Label*> labels;
        for (ui::Label& caption : status().captions)
            labels.push_back(&caption);
        if (BoardWindow* b = game.boardWindow())
            for (ui::Label* object :
                 {&b->player, &b->gate, &b->secretPassage, &b->goldPickup, &b->hitsPickup,
                  &b->foodPickup, &b->serumPickup, &b->quicksand, &b->demon, &b->spider, &b->bat,
                  &b->pathPlayer, &b->pathTime, &b->pathGold, &b->pathFood, &b->holes[0]})
                labels.push_back(object);
        return labels;
    }

    template <class T> int openCount() {
        int n = 0;
        for (ui::Window* w : game.scene().windows())
            n += dynamic_cast<T*>(w) != nullptr;
        return n;
    }
};

} // namespace

TEST_F(SoakTest, ThousandsOfRandomKeysClicksAndTicksNeverBreakTheGame) {
    std::mt19937 dice(20261206);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const int keyCodes[] = {keys::Left,  keys::Up,   keys::Right,  keys::Down, keys::Left, keys::Up,
                            keys::Right, keys::Down, keys::Escape, 'A',        'B',        'C',
                            'D',         'E',        'F',          'G',        'H',        'K',
                            'L',         'N',        'Q',          'R',        'S',        'T',
                            'W',         'X',        'Z',          '5',        13};
    int boardSteps = 0, shopSteps = 0, pathSteps = 0, finaleSteps = 0, overSteps = 0;
    for (int step = 0; step < 20000; ++step) {
        while (platform.randoms.size() < 64)
            platform.randoms.push_back(uniform(dice) * 0.999999);
        // Now and then a name, the restore code, or a leap to the last level for the finale.
        if (dice() % 7 == 0) {
            const QString answers[] = {QStringLiteral("Anna"), QStringLiteral("qyx"),
                                       QStringLiteral("vumo")};
            const QString answer = answers[dice() % 3];
            platform.queueAnswer(answer);
            if (answer == QLatin1String("vumo"))
                platform.queueAnswer(QStringLiteral("98"));
        }
        const unsigned action = dice() % 10;
        if (action < 7) {
            press(keyCodes[dice() % std::size(keyCodes)]);
        } else if (action < 9) {
            game.advance(static_cast<std::int64_t>(dice() % 3000));
        } else {
            const auto labels = clickable();
            game.click(*labels[dice() % labels.size()]);
        }
        ASSERT_LE(openCount<MenuWindow>(), 1) << "step " << step;
        ASSERT_LE(openCount<BoardWindow>(), 1) << "step " << step;
        ASSERT_LE(openCount<ShopWindow>(), 1) << "step " << step;
        ASSERT_LE(openCount<FinaleWindow>(), 1) << "step " << step;
        const BoardWindow* boardWindow = game.boardWindow();
        boardSteps += boardWindow != nullptr;
        shopSteps += game.shop() != nullptr;
        pathSteps += boardWindow && boardWindow->onPath.isSet();
        finaleSteps += game.finale() != nullptr;
        overSteps += boardWindow && boardWindow->gameOver.isSet();
        platform.messages.clear();
        platform.prompts.clear();
    }
    // The walk went through every part of the game.
    EXPECT_GT(boardSteps, 0);
    EXPECT_GT(shopSteps, 0);
    EXPECT_GT(pathSteps, 0);
    EXPECT_GT(finaleSteps, 0);
    EXPECT_GT(overSteps, 0);
}
