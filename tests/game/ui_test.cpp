// The window services: the draw, the controls a part of a window shows, and the numbers, flags and
// choices kept in the texts of labels and hidden fields.
#include "scripted_platform.h"
#include "ui/label_array.h"
#include "ui/stat.h"
#include "ui/window.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Draws, StayWithinOneToNEvenWhenTheSourceGivesOne) {
    ScriptedPlatform platform;
    platform.randoms = {0.0, std::nextafter(1.0, 0.0), 1.0, 0.5};
    for (int face : {1, 6, 6, 4})
        EXPECT_EQ(ui::draw(platform, 6), face);
}

TEST(WindowControls, APartShowsTheControlsSeenThereBottomFirstHoweverManyLieElsewhere) {
    ui::Window window("Game", 9000, 9000, 0x000000);
    ui::LabelLook grey;
    grey.opaque = true;
    ui::LabelArray marks(grey, {0, 0, 255, 255}, false);
    ui::Label letter("X", {}, {0, 0, 255, 255});
    ui::Board board(0x404040, {3000, 3000, 1000, 1000});
    ui::Label onBoard("E", {}, {0, 0, 255, 255});
    board.add(onBoard);
    window.add(marks[0]);
    window.add(letter);
    window.add(board);
    // 10^5 marks on two places: each hides those below it in its place.
    for (int i = 1; i <= 100'000; ++i) {
        ui::Label& mark = marks.load(i);
        mark.setLeft(i % 2 ? 0 : 96);
        mark.setVisible(true);
    }
    using Seen = std::vector<ui::Control*>;
    EXPECT_EQ(window.controls().size(), 100'004u);
    EXPECT_EQ(window.seenIn({{10, 10, 5, 5}}), (Seen{&marks[99'999], &letter}));
    EXPECT_EQ(window.seenIn({{200, 10, 5, 5}, {3100, 3100, 5, 5}}),
              (Seen{&marks[99'999], &marks[100'000], &letter, &board, &onBoard}));
    // A board brings its labels along, in the order they are drawn.
    board.setLeft(0);
    board.setTop(0);
    EXPECT_EQ(window.seenIn({{10, 10, 5, 5}}), (Seen{&marks[99'999], &letter, &board, &onBoard}));
    marks.unloadAll();
    EXPECT_EQ(window.seenIn({{10, 10, 5, 5}}), (Seen{&letter, &board, &onBoard}));
    EXPECT_EQ(window.controls(), (Seen{&marks[0], &letter, &board, &onBoard}));
}

// A number in a label or a hidden field: an add changes a number only, and a text that is no
// number passes every test, so the steps it guards run.
TEST(Stats, AddToANumberOnlyAndATextThatIsNoNumberPassesEveryTest) {
    struct Row {
        const char* text;
        double delta;
        const char* added;
        const char* tests; // atLeast, atMost, above and below 5, as 1 or 0
    };
    const Row rows[] = {
        {"5", 1, "6", "1100"},     {" 7 ", -2, "5", "1010"},    {"4.5", 0.5, "5", "0101"},
        {"-3", -2, "-5", "0101"},  {"", 1, "", "1111"},         {"gold", 1, "gold", "1111"},
        {"1e3", 1, "1e3", "1111"}, {"0x10", 1, "0x10", "1111"},
    };
    for (const Row& row : rows) {
        ui::Label label(row.text, {}, {});
        ui::Stat stat(label);
        std::string tests;
        for (const bool passed : {stat.atLeast(5), stat.atMost(5), stat.above(5), stat.below(5)})
            tests += passed ? '1' : '0';
        EXPECT_EQ(tests, row.tests) << row.text;
        stat.add(row.delta);
        EXPECT_EQ(label.text(), row.added) << row.text;
    }
    ui::Label label("gold", {}, {});
    ui::Stat stat(label);
    for (const auto& [value, text] : {std::pair{120.0, "120"}, {2.5, "2.5"}, {-0.0, "0"}}) {
        stat.set(value);
        EXPECT_EQ(label.text(), text);
        EXPECT_EQ(stat.value(), value);
    }
}

// Any text in a flag's field reads as set (a flag writes "1" and clears to empty).
TEST(Flags, AnyTextReadsAsSet) {
    for (const auto& [text, set] : {std::pair{"0", true}, {"no", true}, {"", false}})
        EXPECT_EQ(ui::HiddenField(text).isSet(), set) << text;
}

// A choice reads its field's whole number up to the enum's last value; any other text is none.
TEST(Choices, ReadAWholeNumberUpToTheLastValueAndWriteItsNumber) {
    enum class Way { None, Up, Down };
    using Ways = ui::Choice<Way, Way::Down>;
    const std::pair<const char*, std::optional<Way>> rows[] = {
        {"0", Way::None},    {"1", Way::Up},       {" 2 ", Way::Down},
        {"3", std::nullopt}, {"-1", std::nullopt}, {"1.5", std::nullopt},
        {"", std::nullopt},  {"up", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, way] : rows) {
        ui::HiddenField field(text);
        EXPECT_EQ(Ways(field).value(), way) << text;
    }
    ui::HiddenField field;
    Ways(field).set(Way::Down);
    EXPECT_EQ(field.text(), "2");
}
