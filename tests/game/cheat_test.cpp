// The cheat prompt behind the status panel's captions.
#include "game_fixture.h"

namespace {

class Cheat : public GameTest {
  protected:
    Cheat() { start(); }
    void cheat(const QString& code, size_t caption = 0) {
        platform.queueAnswer(code);
        game.click(status().Et[caption]);
    }
};

} // namespace

TEST_F(Cheat, EveryCaptionAsksAndOnlyTheExactCodesAct) {
    const char* wrong[] = {"QYX",  " qyx", "qyx ",  "q yx",  "",
                           "Vumo", "VUMO", " vumo", "vumo ", "xyz"};
    for (size_t i = 0; i < 10; ++i) {
        status().Et[i].setVisible(true);
        cheat(QString::fromLatin1(wrong[i]), i);
    }
    ASSERT_EQ(platform.prompts.size(), 11u); // the name, then ten cheat prompts
    for (size_t i = 1; i < platform.prompts.size(); ++i) {
        EXPECT_EQ(platform.prompts[i].prompt, QStringLiteral("Cheat:"));
        EXPECT_EQ(platform.prompts[i].title, QStringLiteral("Use codes cheat"));
        EXPECT_TRUE(platform.prompts[i].proposed.isEmpty());
    }
    EXPECT_EQ(fields(),
              (std::vector<QString>{"1", "100", "10", "10", "20", "20", "20", "120", "Anna", "5"}));
    EXPECT_TRUE(status().message().isEmpty());
}

TEST_F(Cheat, RestoreCodeRevivesAGameLostToTheClock) {
    status().Tempo.setText(QStringLiteral("1"));
    game.advance(1000);
    Form2& board = this->board();
    ASSERT_EQ(board.GameOver.text(), QStringLiteral("1"));
    board.G.setText(QStringLiteral("1"));
    status().ContPart.setText(QStringLiteral("2"));
    cheat(QStringLiteral("qyx"));
    MDIForm1& s = status();
    EXPECT_EQ(fields(), (std::vector<QString>{"1", "100", "100", "100", "100", "100", "100", "900",
                                              "Anna", "5"}));
    EXPECT_TRUE(board.Mio.visible());
    EXPECT_EQ(board.Mio.top(), 100);
    EXPECT_EQ(board.Mio.left(), 100);
    EXPECT_FALSE(board.GameOver.isSet());
    EXPECT_FALSE(board.G.isSet());
    EXPECT_TRUE(s.hasRope());
    EXPECT_EQ(s.message(), QStringLiteral("God had mercy."));
    EXPECT_TRUE(s.Timer1.enabled());
    game.advance(1000);
    EXPECT_EQ(s.Tempo.text(), QStringLiteral("899"));
}

TEST_F(Cheat, LevelCodeLeapsToAWholeNumberKeptWithin1To98) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1"},    {"150", "98"}, {"40", "40"},  {"abc", "40"},
        {"2.5", "40"}, {"", "40"},    {"1e3", "40"},
    };
    for (const auto& [answer, level] : cases) {
        platform.queueAnswer(QStringLiteral("vumo"));
        cheat(QString::fromLatin1(answer), 8);
        EXPECT_EQ(status().Liv.text(), QString::fromLatin1(level)) << answer;
        EXPECT_EQ(platform.prompts.back().prompt, QStringLiteral("Leap to:"));
        EXPECT_EQ(platform.prompts.back().title, QStringLiteral("Number of level (1 - 98)"));
    }
}
