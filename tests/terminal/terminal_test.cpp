// The terminal's picture: design rectangles on the cells of terminal sizes from 80 x 24 up, the
// scene drawn and clicked there, every text of the game whole, the colours each kind of terminal
// shows, keys and dialogs.
#include "app/game_host.h"
#include "board/board_window.h"
#include "scripted_platform.h"
#include "shell/finale_window.h"
#include "shell/game.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"
#include "terminal/cell_map.h"
#include "terminal/dialog.h"
#include "terminal/key_map.h"
#include "terminal/palette.h"
#include "terminal/scene_picture.h"

#include <clocale>
#include <gtest/gtest.h>

#include <curses.h> // last: its macros would rename what follows

namespace {

// A game on a terminal of the size, as the terminal's view sets it up.
struct Terminal : GameHost {
    Terminal(int columns, int rows) : GameHost(game), map(*CellMap::of(columns, rows)) {
        platform.screenW = map.width();
        platform.screenH = map.height();
        areaResized(map.width(), map.height());
        game.start();
    }
    void sync() override {}
    // N, a name, and the board's start-up: the board fills the area above the status panel.
    void newGame(const QString& name = QStringLiteral("Anna")) {
        platform.screenH = (map.rows() - map.panelRows()) * map.cellHeight();
        platform.queueAnswer(name);
        keyDown('N', 'N');
        advance(10);
    }
    Picture paint() {
        Picture picture(map.columns(), map.rows());
        scene.paint(picture);
        return picture;
    }

    // The cells inside the frame of a window as drawn: those a click reaches it at, less its
    // caption and border.
    Cells clientOf(const ui::Window& window) {
        paint();
        int left = map.columns(), top = map.rows(), right = 0, bottom = 0;
        for (int row = 0; row < map.rows(); ++row)
            for (int column = 0; column < map.columns(); ++column)
                if (scene.hitAt(column, row).window == &window) {
                    left = std::min(left, column);
                    top = std::min(top, row);
                    right = std::max(right, column + 1);
                    bottom = std::max(bottom, row + 1);
                }
        const int frame = window.titleBar() ? 1 : 0;
        return {left + frame, top + frame, right - left - 2 * frame, bottom - top - 2 * frame};
    }
    // Whether a text shows whole in a block of cells: its words in order, on one row or broken
    // between rows, with nothing run into either end.
    bool showsWhole(const QString& text, const Cells& cells) {
        const Picture picture = paint();
        QStringList rows;
        for (int row = cells.row; row < cells.bottom(); ++row)
            rows << picture.line(row).mid(cells.column, cells.columns);
        return (u' ' + rows.join(u' ').simplified() + u' ')
            .contains(u' ' + text.simplified() + u' ');
    }

    ScriptedPlatform platform;
    Game game{platform};
    CellMap map;
    ScenePicture scene{game, map};
};

// Sizes from the smallest the game plays on to beyond the design's 98 x 36.
const std::vector<std::pair<int, int>> kSizes = {{80, 24}, {84, 26},  {90, 30}, {97, 35},
                                                 {98, 36}, {100, 40}, {160, 50}};

} // namespace

TEST(CellMap, DesignRectanglesFallOnTheCellsTheyMostlyCover) {
    EXPECT_FALSE(CellMap::of(79, 24));
    EXPECT_FALSE(CellMap::of(80, 23));
    const ui::Rect design{0, 0, 11760, 8565}, energy{4680, 360, 1080, 240};
    const ui::Rect divider{8760, 0, 0, 720}, message{8880, 0, 4395, 720};
    // Columns, rows, a cell in twips, the design's area, the energy's field on the panel's rows,
    // the message divider's column and the message's first.
    for (const auto& [columns, rows, cell, area, field, dividerColumn, messageColumn] :
         {std::tuple{80, 24, ui::Rect{0, 0, 147, 240 * (33.0 / 21)}, Cells{0, 0, 80, 23},
                     Cells{32, 1, 7, 1}, 59, 60},
          {98, 36, {0, 0, 120, 240}, {0, 0, 98, 36}, {39, 1, 9, 1}, 73, 74},
          {200, 60, {0, 0, 120, 240}, {0, 0, 98, 36}, {39, 1, 9, 1}, 73, 74}}) {
        const CellMap map = *CellMap::of(columns, rows);
        EXPECT_EQ(map.rectOf(0, 0), cell);
        EXPECT_EQ(map.cellsOf(design), area);
        EXPECT_DOUBLE_EQ(map.width(), columns * cell.width);
        // The panel keeps three rows of text; the main window's area above it is whole rows.
        EXPECT_EQ(map.panelRows(), 3);
        EXPECT_EQ(map.panel().cellsOf(energy), field);
        EXPECT_EQ(map.cellsOf({0, 0, 100, map.height() - MainWindow::kPanelHeight}).rows, rows - 3);
        // A line lies in the column it passes through, clear of the text that starts after it.
        EXPECT_EQ(map.panel().cellsOf(divider).column, dividerColumn);
        EXPECT_EQ(map.panel().cellsOf(divider).columns, 1);
        EXPECT_EQ(map.panel().cellsOf(message).column, messageColumn);
        // A glyph is one cell, the one of its middle.
        EXPECT_EQ(map.cellsOf({1000, 1000, 20, 20}).columns, 1);
        EXPECT_EQ(map.centredColumn({1000, 1000, 255, 255}, 1), int(1127.5 / cell.width));
    }
}

TEST(TerminalText, EveryTextOfTheGameShowsWholeAtEachSize) {
    for (const auto& [columns, rows] : kSizes) {
        SCOPED_TRACE(testing::Message() << columns << " x " << rows);
        Terminal t(columns, rows);
        const MenuWindow& menu = *t.game.menu();
        Cells client = t.clientOf(menu);
        for (const QString& text :
             menu.menuText.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts) +
                 QStringList{menu.title.text(), menu.credits.text()})
            EXPECT_TRUE(t.showsWhole(text, client)) << text.toStdString();

        t.newGame();
        MainWindow& main = t.game.mainWindow();
        // Each caption of the panel and its value, on the panel's three rows.
        const Picture panel = t.paint();
        for (const auto& [row, fields] : {std::pair{rows - 3, "LV: 1 AM: 10 HT: 20 GD: 10 5 | |"},
                                          {rows - 2, "TM: 120 SR: 20 FD: 20 EN: 100 | Anna |"}}) {
            const QString line = panel.line(row).replace(u'│', u'|');
            EXPECT_EQ(line.left(line.lastIndexOf(u'|') + 1).simplified().remove(u' '),
                      QString::fromLatin1(fields).remove(u' '));
        }
        // The board's box fills the area above the panel; its caption on the top row.
        const Picture board = t.paint();
        EXPECT_TRUE(board.line(0).startsWith(QStringLiteral(" Game")));
        EXPECT_EQ(board.line(rows - 4).front(), u'└');
        EXPECT_EQ(board.at(0, rows - 3).back, ui::Colour{0x404040});

        // Off the board's edge: the game is over, and the shop opens; a continue; the shop again,
        // the gold spent.
        const Cells messageLine{t.map.panel().cellsOf(main.messageLine().rect()).column, rows - 3,
                                columns, 3};
        for (int step = 0; step < 100 && !t.game.boardWindow()->gameOver.isSet(); ++step)
            t.keyDown(keys::Left, 0);
        t.advance(2500);
        EXPECT_TRUE(t.showsWhole(QStringLiteral("Game Over. You have fallen into the ravine"),
                                 messageLine));
        t.keyDown('Z', 'z');
        EXPECT_TRUE(
            t.showsWhole(QStringLiteral("You will can to continue only 4 times"), messageLine));
        t.keyDown(keys::Escape, keys::Escape);
        ShopWindow& shop = *t.game.shop();
        client = t.clientOf(shop);
        for (const QString& command :
             shop.menuText.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            EXPECT_TRUE(t.showsWhole(command, client)) << command.toStdString();
        for (char key : {'A', 'A', 'W'})
            t.keyDown(key, key);
        EXPECT_TRUE(t.showsWhole(QStringLiteral("You do not have enough gold!"), client));
        EXPECT_TRUE(
            t.showsWhole(QStringLiteral("You do not have enough energy or gold!"), messageLine));
        // Every other message of the shop and of the message line, below the commands.
        for (const char* text : {"You do not have enough foods!", "Nothing happens.",
                                 "God had mercy.", "Not is possible again!"}) {
            shop.message.setText(QLatin1String(text));
            EXPECT_TRUE(t.showsWhole(QLatin1String(text), client)) << text;
            EXPECT_TRUE(t.showsWhole(QStringLiteral("Q - End"), client)) << text;
        }
        for (const QString& text :
             QStringLiteral("You used the rope!|Game Over.|No hits!!!|Low energy!!!|Demon Attack!|"
                            "Spider Attack!|BAT Attack!|Your Attack!|New level|You got the gold|"
                            "You got the hits|You got the foods|You got the serum|You got the time|"
                            "Secret passage +2 Level!|Game Over. Sorry. No time.|God had mercy.|"
                            "You do not have enough food or gold!|You do not have enough gold!|"
                            "Game Over. Sorry. Too many requests.|"
                            "You will can to continue only 10 times")
                 .split(u'|')) {
            main.setMessage(text);
            EXPECT_TRUE(t.showsWhole(text, messageLine)) << text.toStdString();
        }

        // The finale at level 99: its headline and its last lines.
        t.keyDown(keys::Escape, keys::Escape);
        main.level.setText(QStringLiteral("99"));
        t.advance(1000);
        const FinaleWindow& finale = *t.game.finale();
        client = t.clientOf(finale);
        EXPECT_TRUE(t.showsWhole(finale.headline.text(), client));
        EXPECT_TRUE(t.showsWhole(finale.credits.text(), client));
        t.advance(17000);
        client = t.clientOf(finale);
        EXPECT_TRUE(t.showsWhole(finale.theEnd.text(), client));
        EXPECT_TRUE(t.showsWhole(finale.headline.text(), client));
        EXPECT_TRUE(t.showsWhole(finale.credits.text(), client));

        // Back in the menu, the hall of fame: each of its rows on one row.
        t.advance(30000);
        t.keyDown('F', 'f');
        const HallOfFameWindow& fame = *t.game.hallOfFameWindow();
        client = t.clientOf(fame);
        for (const ui::Label* label : {&fame.title, &fame.header, &fame.rows[0], &fame.hint}) {
            EXPECT_TRUE(t.showsWhole(label->text(), client)) << label->text().toStdString();
            EXPECT_GE(client.columns, int(label->text().size()));
        }
    }
}

TEST(TerminalText, AWideNameShowsWholeOnThePanel) {
    // Two cells for each CJK character and for an emoji, as a terminal in UTF-8 shows them.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    const QString name = QStringLiteral("名字😀ab李");
    for (const auto& [columns, rows] : kSizes) {
        SCOPED_TRACE(testing::Message() << columns << " x " << rows);
        Terminal t(columns, rows);
        t.newGame(name);
        EXPECT_TRUE(t.showsWhole(name, {0, rows - 3, columns, 3}));
    }
}

TEST(CellMap, TheObjectOnTopWinsItsCellInItsColourAndTheClickThere) {
    Terminal t(98, 36);
    t.newGame();
    BoardWindow& b = *t.game.boardWindow();
    b.board.setBackColour(0x000001); // all but black: black on black, as in the window
    for (ui::Label* other : {&b.secretPassage, &b.hitsPickup, &b.foodPickup, &b.serumPickup,
                             &b.quicksand, &b.demon, &b.spider, &b.bat})
        other->setVisible(false);
    b.player.setRect({1000, 1000, 255, 255});
    b.goldPickup.setRect({1010, 1010, 255, 255}); // the same cell, below the player
    b.goldPickup.setVisible(true);
    b.gate.setRect({2000, 1000, 255, 255});
    b.gate.setVisible(true);
    const Picture picture = t.paint();
    // The board window's client starts inside its box, one cell in from its corner.
    const Cells box = t.map.cellsOf(b.rect());
    const auto cellOf = [&](const ui::Label& label) {
        const ui::Rect area = *label.drawnArea(); // a glyph is centred in its place
        return std::pair{box.column + 1 + t.map.centredColumn(area, 1),
                         box.row + 1 + t.map.cellsOf(area).row};
    };
    const auto [column, row] = cellOf(b.player);
    EXPECT_EQ(picture.at(column, row).glyph, U'X');
    EXPECT_EQ(picture.at(column, row).fore, b.player.look().foreColour);
    EXPECT_EQ(picture.at(column, row).back, ui::Colour{0x000001});
    EXPECT_EQ(t.scene.hitAt(column, row).label, &b.player);
    EXPECT_EQ(picture.at(cellOf(b.gate).first, cellOf(b.gate).second).glyph, U'E');
    // A click on the panel's first caption, "LV:", and on the board's caption bar.
    EXPECT_EQ(t.scene.hitAt(2, 33).label, &t.game.mainWindow().captions[0]);
    EXPECT_EQ(t.scene.hitAt(2, 33).window, &t.game.mainWindow());
    EXPECT_EQ(t.scene.hitAt(40, 0).window, &b);
    EXPECT_EQ(t.scene.hitAt(40, 0).label, nullptr);
    // A larger terminal maps the same board onto the same cells, and the panel onto its new rows.
    const Cells inside = t.map.cellsOf(*b.board.drawnArea());
    t.scene.setMap(*CellMap::of(120, 50));
    t.areaResized(t.scene.map().width(), t.scene.map().height());
    Picture larger(120, 50);
    t.scene.paint(larger);
    EXPECT_EQ(larger.at(box.column + 1 + inside.column, box.row + 1 + inside.row).back,
              ui::Colour{0x000001});
    EXPECT_EQ(larger.at(119, 49).back, ui::Colour{0x404040});
}

TEST(CellMap, AMonstersDigitStandsOnItsColourInOneCell) {
    for (const auto& [columns, rows] : kSizes) {
        Terminal t(columns, rows);
        t.newGame();
        BoardWindow& b = *t.game.boardWindow();
        b.board.setBackColour(0x000001);
        for (ui::Label* monster : {&b.demon, &b.spider, &b.bat}) {
            for (ui::Label* other : {&b.demon, &b.spider, &b.bat})
                other->setVisible(other == monster);
            const ui::LabelLook& look = monster->look();
            // Every place within a cell or two: the digit's cell, and no other, in its colour.
            for (double dx = 0; dx < 300; dx += 25)
                for (double dy = 0; dy < 400; dy += 25) {
                    monster->setRect({1200 + dx, 600 + dy, 255, 255});
                    const Picture picture = t.paint();
                    std::vector<std::pair<int, int>> coloured;
                    for (int row = 0; row < rows - 3; ++row)
                        for (int column = 0; column < columns; ++column)
                            if (picture.at(column, row).back == look.backColour &&
                                picture.at(column, row).glyph != U'│')
                                coloured.emplace_back(column, row);
                    ASSERT_EQ(coloured.size(), 1u)
                        << columns << " x " << rows << " at " << dx << ", " << dy;
                    const auto [column, row] = coloured.front();
                    EXPECT_EQ(picture.at(column, row).glyph, monster->text().front().unicode());
                    EXPECT_EQ(picture.at(column, row).fore, look.foreColour);
                    EXPECT_EQ(t.scene.hitAt(column, row).label, monster);
                }
        }
    }
}

TEST(Palette, EachTerminalShowsTheNearestColourItHasAndWithoutColoursLightCellsReversed) {
    EXPECT_EQ(depthFor(0), ColourDepth::None);
    EXPECT_EQ(depthFor(2), ColourDepth::None);
    EXPECT_EQ(depthFor(8), ColourDepth::Eight);
    EXPECT_EQ(depthFor(16), ColourDepth::Eight);
    EXPECT_EQ(depthFor(256), ColourDepth::Palette);
    EXPECT_EQ(depthFor(1 << 24), ColourDepth::Direct);
    // The colour (blue, green, red), then direct, the 256 and the 8.
    for (const auto& [colour, direct, palette, eight] :
         {std::tuple{0x0000FFu, 0xFF0000, 196, 1}, // the player's red
          {0x404040u, 0x404040, 238, 0},           // the panel's grey
          {0x00FFFFu, 0xFFFF00, 226, 3},           // gold's yellow
          {0xFFC0C0u, 0xC0C0FF, 147, 7},           // the hits' pale blue
          {0x000000u, 0x000000, 16, 0},
          {0xFFFFFFu, 0xFFFFFF, 231, 7}}) {
        EXPECT_EQ(paletteEntry(colour, ColourDepth::Direct), direct);
        EXPECT_EQ(paletteEntry(colour, ColourDepth::Palette), palette) << colour;
        EXPECT_EQ(paletteEntry(colour, ColourDepth::Eight), eight) << colour;
    }
    // A dialog's face and its line to type in stand out from the board, the panel and the
    // caption.
    for (const auto& [back, reversed] : {std::tuple{0xC0C0C0u, true},
                                         {0xFFFFFFu, true},
                                         {0x00FFFFu, true}, // yellow
                                         {0x000000u, false},
                                         {0x404040u, false},
                                         {0x800000u, false},  // navy
                                         {0x0000FFu, false}}) // red
        EXPECT_EQ(shownReversed(back), reversed) << std::hex << back;
}

TEST(TerminalKeys, KeysReachTheGameWithTheirClassicCodes) {
    for (const auto& [key, isCode, keyCode, charCode] :
         {std::tuple{KEY_LEFT, true, keys::Left, 0},
          {KEY_DOWN, true, keys::Down, 0},
          {KEY_F(5), true, keys::F1 + 4, 0},
          {KEY_DC, true, keys::Delete, 0},
          {KEY_B2, true, keys::Clear, 0},
          {27, false, keys::Escape, 27},
          {127, false, keys::Backspace, 8},
          {'\r', false, keys::Return, 13},
          {'\t', false, keys::Tab, 9},
          {'a', false, 'A', 'a'},
          {'%', false, '5', '%'}, // Shift+5: the 5 key, never an arrow
          {1, false, 'A', 1}}) {  // Ctrl+A
        const auto stroke = strokeOf(key, isCode);
        ASSERT_TRUE(stroke) << key;
        EXPECT_EQ(stroke->keyCode, keyCode) << key;
        EXPECT_EQ(stroke->charCode, charCode) << key;
    }
    EXPECT_FALSE(strokeOf(KEY_MOUSE, true));
}

TEST(TerminalDialog, ReturnAnswersThePromptAndAQuestionIsNoUnlessYesIsChosen) {
    // Editing the line is the input tests' part; here the answer, kept or typed, and the question.
    for (const QString& typed : {QString(), QStringLiteral("Anna é")}) {
        Dialog prompt(Dialog::Kind::Prompt, QStringLiteral("Vexmoor"),
                      QStringLiteral("What is your name?"), QStringLiteral("Player"));
        for (char32_t c : typed.toUcs4())
            EXPECT_FALSE(prompt.key(keys::typed(c), c));
        EXPECT_EQ(prompt.key(keys::named(keys::Return), 0), true);
        EXPECT_EQ(prompt.answer(), typed.isEmpty() ? QStringLiteral("Player") : typed);
        Picture picture(80, 24);
        prompt.draw(picture);
        QString shown;
        for (int row = 0; row < 24; ++row)
            shown += picture.line(row);
        EXPECT_TRUE(shown.contains(QStringLiteral("What is your name?")));
    }
    Dialog question(Dialog::Kind::Question, {}, QStringLiteral("Abandon the game?"));
    EXPECT_EQ(question.key(keys::named(keys::Return), 0), false);
    EXPECT_EQ(question.key(keys::typed(U'y'), U'y'), true);
    EXPECT_EQ(Dialog(Dialog::Kind::Message, {}, {}).key(keys::named(keys::Escape), 27), false);
}
