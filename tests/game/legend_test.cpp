// The legend: a click on an object of the board window shows what it is.
#include "board_helpers.h"
#include "game_fixture.h"

namespace {

class LegendTest : public GameTest {
  protected:
    // A level with every object on it: the demon at 7, the spider at 3, the bat at 5.
    Form2& everyObject() {
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
        return startBoard(game, platform, plan);
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

TEST_F(LegendTest, DungeonObjectsTellWhatTheyAre) {
    Form2& board = everyObject();
    board.Gate.setVisible(true);
    EXPECT_EQ(clicked(board.Gate), QStringLiteral("Gate: Go to Next Level"));
    EXPECT_EQ(clicked(board.Coins), QStringLiteral("Gold: Buy items"));
    EXPECT_EQ(clicked(board.Hit), QStringLiteral("Hits: Attack enemies"));
    EXPECT_EQ(clicked(board.Food), QStringLiteral("Food: Improve food"));
    EXPECT_EQ(clicked(board.PSecret), QStringLiteral("Secret Passage: Go to +2 Level"));
    EXPECT_EQ(clicked(board.Serum),
              QStringLiteral("Serum: Serum protects you from the attack of the spiders."));
    EXPECT_EQ(clicked(board.Trap), QStringLiteral("Quicksand: Stop for 5 seconds!"));
}

TEST_F(LegendTest, MonstersTellTheirOwnLevel) {
    Form2& board = everyObject();
    EXPECT_EQ(clicked(board.Spider),
              QStringLiteral("Giant Spider: It's a Spider of level 3. Hits Attack = His number. "
                             "The serum protects you."));
    EXPECT_EQ(clicked(board.Monster),
              QStringLiteral("Demon: It's a demon of level 7. Hits Attack = His number. The armor "
                             "protects you."));
    EXPECT_EQ(clicked(board.Bat),
              QStringLiteral("Giant BAT: It's a BAT of level 5. Hits Attack = His number. The "
                             "serum protects you."));

    // The level read at the click, as combat lowers it.
    board.Spider.setText(QStringLiteral("2"));
    EXPECT_TRUE(clicked(board.Spider)
                    .startsWith(QStringLiteral("Giant Spider: It's a Spider of "
                                               "level 2. ")));
    board.Bat.setText({});
    EXPECT_EQ(clicked(board.Bat), QStringLiteral("Giant BAT: It's a BAT of level . Hits Attack = "
                                                 "His number. The serum protects you."));
}

TEST_F(LegendTest, TrapDuringAStopShowsTheQuicksandText) {
    Form2& board = everyObject();
    board.Trap.setText(QStringLiteral("3"));
    EXPECT_EQ(clicked(board.Trap), QStringLiteral("Quicksand: Stop for 5 seconds!"));
}

TEST_F(LegendTest, BothPlayersTellTheName) {
    Form2& board = startBoard(game, platform);
    EXPECT_EQ(clicked(board.Mio), QStringLiteral("Your Name is: Anna"));
    board.Mio2.setVisible(true);
    EXPECT_EQ(clicked(board.Mio2), QStringLiteral("Your Name is: Anna"));
    status().Player.setText(QStringLiteral("Bo"));
    EXPECT_EQ(clicked(board.Mio2), QStringLiteral("Your Name is: Bo"));
}

TEST_F(LegendTest, PathObjectsTellWhatTheyAre) {
    Form2& board = startBoard(game, platform);
    for (ui::Label* label : {&board.Tempy, &board.Goldy, &board.Foody})
        label->setVisible(true);
    EXPECT_EQ(clicked(board.Tempy), QStringLiteral("Time: It's a time life"));
    EXPECT_EQ(clicked(board.Goldy), QStringLiteral("Gold: Buy items"));
    EXPECT_EQ(clicked(board.Foody), QStringLiteral("Food: Improve food"));
}

TEST_F(LegendTest, EveryHoleShowsTheHoleText) {
    Form2& board = startBoard(game, platform);
    for (int i = 0; i < 31; ++i) {
        ui::Label& hole = board.Foro.load(i);
        hole.setVisible(true);
        EXPECT_EQ(clicked(hole), QStringLiteral("Hole: A danger hole for you life")) << i;
    }
}

TEST_F(LegendTest, TrailMarksShowNothing) {
    Form2& board = startBoard(game, platform);
    board.Track[0].setVisible(true);
    ui::Label& mark = board.Track.load(1);
    mark.setVisible(true);
    game.click(board.Track[0]);
    game.click(mark);
    EXPECT_TRUE(platform.messages.empty());
}
