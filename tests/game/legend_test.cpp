// The legend: a click on an object of the board window shows what it is.
#include "game_fixture.h"

namespace {

class LegendTest : public GameTest {
  protected:
    // A level with every object on it: the demon at 7, the spider at 3, the bat at 5; the gate,
    // the path's objects, the second player and two holes shown as well.
    LegendTest() {
        LevelPlan plan;
        plan.coins = ObjectPlan{300, 300};
        plan.hit = ObjectPlan{600, 300};
        plan.food = ObjectPlan{900, 300};
        plan.secret = ObjectPlan{1200, 300};
        plan.trap = ObjectPlan{1500, 300};
        plan.serum = ObjectPlan{1800, 300};
        plan.monster = ObjectPlan{300, 900, 7};
        plan.spider = ObjectPlan{600, 900, 3};
        plan.bat = ObjectPlan{900, 900, 5};
        BoardWindow& boardWindow = start(plan);
        for (ui::Label* label : {&boardWindow.gate, &boardWindow.pathTime, &boardWindow.pathGold,
                                 &boardWindow.pathFood, &boardWindow.pathPlayer,
                                 &boardWindow.holes[0], &boardWindow.holes.load(30)})
            label->setVisible(true);
    }
    // The one message a click shows.
    QString clicked(ui::Label& label) {
        platform.messages.clear();
        game.click(label);
        EXPECT_EQ(platform.messages.size(), 1u);
        return platform.messages.empty() ? QString() : platform.messages.back();
    }
};

} // namespace

TEST_F(LegendTest, EachObjectTellsWhatItIs) {
    BoardWindow& boardWindow = this->boardWindow();
    const std::pair<ui::Label*, const char*> cases[] = {
        {&boardWindow.gate, "Gate: Go to Next Level"},
        {&boardWindow.goldPickup, "Gold: Buy items"},
        {&boardWindow.hitsPickup, "Hits: Attack enemies"},
        {&boardWindow.foodPickup, "Food: Improve food"},
        {&boardWindow.secretPassage, "Secret Passage: Go to +2 Level"},
        {&boardWindow.serumPickup, "Serum: Serum protects you from the attack of the spiders."},
        {&boardWindow.quicksand, "Quicksand: Stop for 5 seconds!"},
        {&boardWindow.spider,
         "Giant Spider: It's a Spider of level 3. Hits Attack = His number. The "
         "serum protects you."},
        {&boardWindow.demon, "Demon: It's a demon of level 7. Hits Attack = His number. The armor "
                             "protects you."},
        {&boardWindow.bat, "Giant BAT: It's a BAT of level 5. Hits Attack = His number. The serum "
                           "protects you."},
        {&boardWindow.player, "Your Name is: Anna"},
        {&boardWindow.pathPlayer, "Your Name is: Anna"},
        {&boardWindow.pathTime, "Time: It's a time life"},
        {&boardWindow.pathGold, "Gold: Buy items"},
        {&boardWindow.pathFood, "Food: Improve food"},
        {&boardWindow.holes[0], "Hole: A danger hole for you life"},
        {&boardWindow.holes[30], "Hole: A danger hole for you life"},
    };
    for (const auto& [label, text] : cases)
        EXPECT_EQ(clicked(*label), QString::fromUtf8(text));
}

TEST_F(LegendTest, TextsReadTheLevelsAndTheNameAtTheClick) {
    BoardWindow& boardWindow = this->boardWindow();
    boardWindow.spider.setText(QStringLiteral("2")); // as combat lowers it
    EXPECT_TRUE(clicked(boardWindow.spider)
                    .startsWith(QStringLiteral("Giant Spider: It's a Spider of level 2. ")));
    boardWindow.bat.setText({});
    EXPECT_EQ(clicked(boardWindow.bat),
              QStringLiteral("Giant BAT: It's a BAT of level . Hits Attack = "
                             "His number. The serum protects you."));
    boardWindow.quicksand.setText(QStringLiteral("3")); // during a stop
    EXPECT_EQ(clicked(boardWindow.quicksand), QStringLiteral("Quicksand: Stop for 5 seconds!"));
    status().playerName.setText(QStringLiteral("Bo"));
    EXPECT_EQ(clicked(boardWindow.pathPlayer), QStringLiteral("Your Name is: Bo"));

    // Trail marks show nothing.
    boardWindow.trail[0].setVisible(true);
    boardWindow.trail.load(1).setVisible(true);
    platform.messages.clear();
    game.click(boardWindow.trail[0]);
    game.click(boardWindow.trail[1]);
    EXPECT_TRUE(platform.messages.empty());
}
