// The window services: the game's one draw, a whole number from 1 to n even when the source
// gives 1, and the controls a part of a window shows, however many the window holds.
#include "scripted_platform.h"
#include "ui/label_array.h"
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
