// The cheat prompt behind the status panel's captions.
#include "board/form2.h"
#include "board_helpers.h"
#include "game_fixture.h"

namespace {

class Cheat : public GameTest {
  protected:
    Cheat() { startBoard(game, platform); }
    void cheat(const QString& code) {
        platform.queueAnswer(code);
        game.click(status().Et[0]);
    }
    void leap(const QString& level) {
        platform.queueAnswer(QStringLiteral("vumo"));
        platform.queueAnswer(level);
        game.click(status().Et[8]);
    }
    Form2& board() { return *game.board(); }
};

} // namespace

TEST_F(Cheat, EveryCaptionAsksForTheCode) {
    for (int i = 0; i < 10; ++i) {
        status().Et[static_cast<size_t>(i)].setVisible(true);
        game.click(status().Et[static_cast<size_t>(i)]);
    }
    ASSERT_EQ(platform.prompts.size(), 11u); // the name, then ten cheat prompts
    EXPECT_EQ(platform.prompts[1].prompt, QStringLiteral("Cheat:"));
    EXPECT_EQ(platform.prompts[1].title, QStringLiteral("Use codes cheat"));
    EXPECT_TRUE(platform.prompts[1].proposed.isEmpty());
}

TEST_F(Cheat, RestoreCodeRevivesAGameLostToTheClock) {
    status().Tempo.setText(QStringLiteral("1"));
    game.advance(1000);
    ASSERT_EQ(board().GameOver.text(), QStringLiteral("1"));
    board().G.setText(QStringLiteral("1"));
    cheat(QStringLiteral("qyx"));
    MDIForm1& s = status();
    EXPECT_TRUE(s.Timer1.enabled());
    for (ui::Label* field : {&s.Energy, &s.Food, &s.Serum, &s.Hits, &s.Armor, &s.Gold})
        EXPECT_EQ(field->text(), QStringLiteral("100"));
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("900"));
    EXPECT_TRUE(board().Mio.visible());
    EXPECT_EQ(board().Mio.top(), 100);
    EXPECT_EQ(board().Mio.left(), 100);
    EXPECT_FALSE(board().GameOver.isSet());
    EXPECT_FALSE(board().G.isSet());
    EXPECT_EQ(s.ContPart.text(), QStringLiteral("5"));
    EXPECT_TRUE(s.hasRope());
    EXPECT_EQ(s.message(), QStringLiteral("God had mercy."));
    game.advance(1000);
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("899"));
}

TEST_F(Cheat, CodesMatchExactly) {
    for (const char* code : {"QYX", " qyx", "qyx ", "Vumo", "", "xyz"})
        cheat(QString::fromLatin1(code));
    EXPECT_EQ(status().Energy.text(), QStringLiteral("100"));
    EXPECT_EQ(status().Gold.text(), QStringLiteral("10"));
    EXPECT_FALSE(status().hasRope());
    EXPECT_EQ(platform.prompts.size(), 7u); // no "Leap to:" was asked
}

TEST_F(Cheat, LevelCodeKeepsTheLevelWithin1To98) {
    leap(QStringLiteral("0"));
    EXPECT_EQ(status().Liv.text(), QStringLiteral("1"));
    leap(QStringLiteral("150"));
    EXPECT_EQ(status().Liv.text(), QStringLiteral("98"));
    leap(QStringLiteral("40"));
    EXPECT_EQ(status().Liv.text(), QStringLiteral("40"));
    EXPECT_EQ(platform.prompts.back().prompt, QStringLiteral("Leap to:"));
    EXPECT_EQ(platform.prompts.back().title, QStringLiteral("Number of level (1 - 98)"));
    for (const char* answer : {"abc", "2.5", "", "1e3"})
        leap(QString::fromLatin1(answer));
    EXPECT_EQ(status().Liv.text(), QStringLiteral("40"));
}
