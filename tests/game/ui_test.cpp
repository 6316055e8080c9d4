// The window services: reading and writing numbers, the virtual clock, windows closing themselves.
#include "scripted_platform.h" // prints QString
#include "ui/clock.h"
#include "ui/number.h"
#include "ui/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using ui::numberText;
using ui::readNumber;

TEST(Draws, StayWithinOneToNEvenWhenTheSourceGivesOne) {
    ScriptedPlatform platform;
    platform.randoms = {0.0, std::nextafter(1.0, 0.0), 1.0, 0.5};
    EXPECT_EQ(ui::draw(platform, 6), 1);
    EXPECT_EQ(ui::draw(platform, 6), 6);
    EXPECT_EQ(ui::draw(platform, 6), 6);
    EXPECT_EQ(ui::draw(platform, 6), 4);
}

TEST(Numbers, OnlyPlainDecimalTextIsANumber) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {" 12 ", 12}, {"-3.5", -3.5}, {"+4", 4},    {".5", 0.5}, {"007", 7},
        {"", {}},     {"  ", {}},     {"abc", {}},  {"1e5", {}}, {"12a", {}},
        {"--1", {}},  {"1.2.3", {}},  {"0x10", {}}, {"inf", {}}, {"nan", {}},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(readNumber(QString::fromLatin1(text)), number) << text;
}

TEST(Numbers, WrittenAsTheShortestDecimalTextThatReadsBack) {
    const std::pair<double, const char*> cases[] = {
        {100 + 5, "105"}, {10 - 10, "0"},     {-0.0, "0"},
        {-3, "-3"},       {0.1 + 0.2, "0.3"}, {1e20, "100000000000000000000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(numberText(value), QString::fromLatin1(text)) << text;
    for (double v : {123456.789, -0.000125, 2147483648.0})
        EXPECT_DOUBLE_EQ(*readNumber(numberText(v)), v) << v;
}

namespace {

// A window with timers that record when they tick.
class ClockTest : public ::testing::Test {
  protected:
    ui::Timer& timer(int interval, std::function<void()> extra = {}) {
        const int id = static_cast<int>(timers.size());
        timers.push_back(std::make_unique<ui::Timer>(clock, window, interval, [this, id, extra] {
            ticks.push_back({clock.now(), id});
            if (extra)
                extra();
        }));
        return *timers.back();
    }

    ui::Clock clock;
    ui::Window window{QStringLiteral("w"), 100, 100, 0};
    std::vector<std::unique_ptr<ui::Timer>> timers;
    std::vector<std::pair<std::int64_t, int>> ticks;
};

} // namespace

TEST_F(ClockTest, EnablingStartsAFreshIntervalOnlyWhenStopped) {
    ui::Timer& t = timer(100);
    clock.advance(50);
    t.setEnabled(true);
    clock.advance(90);
    t.setEnabled(true); // already running: no change
    clock.advance(10);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].first, 150);
    t.setInterval(100); // a new interval on a running timer starts afresh
    clock.advance(99);
    EXPECT_EQ(ticks.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(ClockTest, TicksComeInTimeOrderAndTiesInTheOrderTimersWereMade) {
    ui::Timer& slow = timer(300);
    ui::Timer& fast = timer(100);
    slow.setEnabled(true);
    fast.setEnabled(true);
    clock.advance(300);
    const std::vector<std::pair<std::int64_t, int>> expected{
        {100, 1}, {200, 1}, {300, 0}, {300, 1}};
    EXPECT_EQ(ticks, expected);
}

TEST_F(ClockTest, AHandlerCanStopATimerDueAtTheSameMoment) {
    ui::Timer* second = nullptr;
    ui::Timer& first = timer(100, [&] { second->setEnabled(false); });
    second = &timer(100);
    first.setEnabled(true);
    second->setEnabled(true);
    clock.advance(1000);
    EXPECT_EQ(ticks.size(), 10u);
    for (const auto& tick : ticks)
        EXPECT_EQ(tick.second, 0);
}

namespace {

// A window that closes itself from its own timer, keeps working after the close and opens a
// sibling in its place.
class SelfClosing : public ui::Window {
  public:
    SelfClosing(ui::Scene& scene, ui::Clock& clock, std::vector<std::string>& log)
        : ui::Window(QStringLiteral("self"), 100, 100, 0), scene_(scene), clock_(clock), log_(log),
          timer_(clock, *this, 10, [this] { tick(); }) {
        timer_.setEnabled(true);
    }

  protected:
    void onUnload() override { log_.push_back("unload"); }

  private:
    void tick() {
        scene_.close(*this);
        scene_.close(*this);     // a second close does nothing
        timer_.setEnabled(true); // a closed window's timer stays stopped
        log_.push_back("after close: " + caption().toStdString());
        if (log_.size() < 6)
            scene_.open<SelfClosing>(scene_, clock_, log_);
    }

    ui::Scene& scene_;
    ui::Clock& clock_;
    std::vector<std::string>& log_;
    ui::Timer timer_;
};

} // namespace

TEST(Scene, AWindowMayCloseItselfAndOpenASiblingInItsOwnHandler) {
    ui::Clock clock;
    ui::Scene scene;
    clock.afterTick = [&] { scene.collect(); };
    std::vector<std::string> log;
    scene.open<SelfClosing>(scene, clock, log);
    clock.advance(10);
    EXPECT_EQ(log, (std::vector<std::string>{"unload", "after close: self"}));
    ASSERT_EQ(scene.windows().size(), 1u);
    clock.advance(100);
    EXPECT_EQ(log.size(), 6u);
    EXPECT_TRUE(scene.windows().empty());
}
