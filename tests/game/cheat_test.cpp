// The cheat prompt behind the status panel's captions.
#include "game_fixture.h"

namespace {

class Cheat : public GameTest {
  protected:
    Cheat() { start(); }
    void cheat(const QString& code, size_t caption = 0) {
        platform.queueAnswer(code);
        game.click(status().captions[caption]);
    }
};

} // namespace

TEST_F(Cheat, EveryCaptionAsksAndOnlyTheExactCodesAct) {
    const char* wrong[] = {"QYX",  " qyx", "qyx ",  "q yx",  "",
                           "Vumo", "VUMO", " vumo", "vumo ", "xyz"};
    for (size_t i = 0; i < 10; ++i) {
        status().captions[i].setVisible(true);
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
    status().timeLeft.setText(QStringLiteral("1"));
    game.advance(1000);
    BoardWindow& boardWindow = this->boardWindow();
    ASSERT_EQ(boardWindow.gameOver.text(), QStringLiteral("1"));
    boardWindow.stuckInQuicksand.setText(QStringLiteral("1"));
    status().continues.setText(QStringLiteral("2"));
    cheat(QStringLiteral("qyx"));
    MainWindow& s = status();
    EXPECT_EQ(fields(), (std::vector<QString>{"1", "100", "100", "100", "100", "100", "100", "900",
                                              "Anna", "5"}));
    EXPECT_TRUE(boardWindow.player.visible());
    EXPECT_EQ(boardWindow.player.top(), 100);
    EXPECT_EQ(boardWindow.player.left(), 100);
    EXPECT_FALSE(boardWindow.gameOver.isSet());
    EXPECT_FALSE(boardWindow.stuckInQuicksand.isSet());
    EXPECT_TRUE(s.hasRope());
    EXPECT_EQ(s.message(), QStringLiteral("God had mercy."));
    EXPECT_TRUE(s.countdown.enabled());
    game.advance(1000);
    EXPECT_EQ(s.timeLeft.text(), QStringLiteral("899"));
}

TEST_F(Cheat, LevelCodeLeapsToAWholeNumberKeptWithin1To98) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1"},    {"150", "98"}, {"40", "40"},  {"abc", "40"},
        {"2.5", "40"}, {"", "40"},    {"1e3", "40"},
    };
    for (const auto& [answer, level] : cases) {
        platform.queueAnswer(QStringLiteral("vumo"));
        cheat(QString::fromLatin1(answer), 8);
        EXPECT_EQ(status().level.text(), QString::fromLatin1(level)) << answer;
        EXPECT_EQ(platform.prompts.back().prompt, QStringLiteral("Leap to:"));
        EXPECT_EQ(platform.prompts.back().title, QStringLiteral("Number of level (1 - 98)"));
    }
}
