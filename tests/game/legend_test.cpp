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
        Form2& board = start(plan);
        for (ui::Label* label : {&board.Gate, &board.Tempy, &board.Goldy, &board.Foody, &board.Mio2,
                                 &board.Foro[0], &board.Foro.load(30)})
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
    Form2& board = this->board();
    const std::pair<ui::Label*, const char*> cases[] = {
        {&board.Gate, "Gate: Go to Next Level"},
        {&board.Coins, "Gold: Buy items"},
        {&board.Hit, "Hits: Attack enemies"},
        {&board.Food, "Food: Improve food"},
        {&board.PSecret, "Secret Passage: Go to +2 Level"},
        {&board.Serum, "Serum: Serum protects you from the attack of the spiders."},
        {&board.Trap, "Quicksand: Stop for 5 seconds!"},
        {&board.Spider, "Giant Spider: It's a Spider of level 3. Hits Attack = His number. The "
                        "serum protects you."},
        {&board.Monster, "Demon: It's a demon of level 7. Hits Attack = His number. The armor "
                         "protects you."},
        {&board.Bat, "Giant BAT: It's a BAT of level 5. Hits Attack = His number. The serum "
                     "protects you."},
        {&board.Mio, "Your Name is: Anna"},
        {&board.Mio2, "Your Name is: Anna"},
        {&board.Tempy, "Time: It's a time life"},
        {&board.Goldy, "Gold: Buy items"},
        {&board.Foody, "Food: Improve food"},
        {&board.Foro[0], "Hole: A danger hole for you life"},
        {&board.Foro[30], "Hole: A danger hole for you life"},
    };
    for (const auto& [label, text] : cases)
        EXPECT_EQ(clicked(*label), QString::fromUtf8(text));
}

TEST_F(LegendTest, TextsReadTheLevelsAndTheNameAtTheClick) {
    Form2& board = this->board();
    board.Spider.setText(QStringLiteral("2")); // as combat lowers it
    EXPECT_TRUE(clicked(board.Spider)
                    .startsWith(QStringLiteral("Giant Spider: It's a Spider of level 2. ")));
    board.Bat.setText({});
    EXPECT_EQ(clicked(board.Bat), QStringLiteral("Giant BAT: It's a BAT of level . Hits Attack = "
                                                 "His number. The serum protects you."));
    board.Trap.setText(QStringLiteral("3")); // during a stop
    EXPECT_EQ(clicked(board.Trap), QStringLiteral("Quicksand: Stop for 5 seconds!"));
    status().Player.setText(QStringLiteral("Bo"));
    EXPECT_EQ(clicked(board.Mio2), QStringLiteral("Your Name is: Bo"));

    // Trail marks show nothing.
    board.Track[0].setVisible(true);
    board.Track.load(1).setVisible(true);
    platform.messages.clear();
    game.click(board.Track[0]);
    game.click(board.Track[1]);
    EXPECT_TRUE(platform.messages.empty());
}
