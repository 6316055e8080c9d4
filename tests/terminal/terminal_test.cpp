// The terminal's picture: design rectangles on the cells of three terminal sizes, the scene drawn
// and clicked there, the colours each kind of terminal shows, keys and dialogs.
#include "app/game_host.h"
#include "board/board_window.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shop/shop_window.h"
#include "terminal/cell_map.h"
#include "terminal/dialog.h"
#include "terminal/key_map.h"
#include "terminal/palette.h"
#include "terminal/scene_picture.h"

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
    void newGame() {
        platform.screenH = (map.rows() - map.panelRows()) * map.cellHeight();
        platform.queueAnswer(QStringLiteral("Anna"));
        keyDown('N', 'N');
        advance(10);
    }
    Picture paint() {
        Picture picture(map.columns(), map.rows());
        scene.paint(picture);
        return picture;
    }

    ScriptedPlatform platform;
    Game game{platform};
    CellMap map;
    ScenePicture scene{game, map};
};

} // namespace

TEST(CellMap, DesignRectanglesFallOnTheCellsTheyMostlyCover) {
    EXPECT_FALSE(CellMap::of(79, 24));
    EXPECT_FALSE(CellMap::of(80, 23));
    const ui::Rect design{0, 0, 11760, 8565}, energy{4680, 360, 1080, 240};
    // Columns, rows, the cell in twips, the design's area, the energy's field, the panel's rows.
    for (const auto& [columns, rows, cell, area, field, panel] :
         {std::tuple{80, 24, ui::Rect{0, 0, 147, 360}, Cells{0, 0, 80, 24}, Cells{32, 1, 7, 1}, 2},
          {98, 36, {0, 0, 120, 240}, {0, 0, 98, 36}, {39, 2, 9, 1}, 3},
          {200, 60, {0, 0, 120, 240}, {0, 0, 98, 36}, {39, 2, 9, 1}, 3}}) {
        const CellMap map = *CellMap::of(columns, rows);
        EXPECT_EQ(map.rectOf(0, 0), cell);
        EXPECT_EQ(map.cellsOf(design), area);
        EXPECT_EQ(map.cellsOf(energy), field);
        EXPECT_EQ(map.panelRows(), panel);
        EXPECT_DOUBLE_EQ(map.width(), columns * cell.width);
        // A glyph is one cell, on the row of its top.
        EXPECT_EQ(map.cellsOf({1000, 1000, 20, 20}).columns, 1);
        EXPECT_EQ(map.rowOf({0, 1000, 255, 255}), int(1000 / cell.height));
    }
}

TEST(CellMap, TheMenuAndTheStatusPanelShowWholeAtEachSize) {
    for (const auto& [columns, rows] : {std::pair{80, 24}, {98, 36}, {200, 60}}) {
        Terminal t(columns, rows);
        QString menu;
        for (int row = 0; row < rows; ++row)
            menu += t.paint().line(row);
        for (const char* line :
             {"Main", "N - New Adventure", "L - Load Adventure", "X - Exit", "F - Hall of Fame"})
            EXPECT_TRUE(menu.contains(QLatin1String(line))) << line << " at " << columns;
        t.newGame();
        const Picture board = t.paint();
        const int panelTop = rows - t.map.panelRows();
        QString panel;
        for (int row = panelTop; row < rows; ++row)
            panel += board.line(row);
        for (const char* field :
             {"LV:1 ", "AM:10 ", "HT:20 ", "GD:10 ", "EN:100 ", "TM:120 ", "Anna"})
            EXPECT_TRUE(panel.contains(QLatin1String(field))) << field << " at " << columns;
        // The board's box fills the area above the panel; its caption on the top row.
        EXPECT_TRUE(board.line(0).startsWith(QStringLiteral(" Game")));
        EXPECT_EQ(board.line(panelTop - 1).front(), u'└');
        EXPECT_EQ(board.at(0, panelTop).back, ui::Colour{0x404040});
        // Every command of the shop shows whole, its divider running under no text.
        t.keyDown(keys::Escape, keys::Escape);
        const Picture shop = t.paint();
        QString shown;
        for (int row = 0; row < rows; ++row)
            shown += shop.line(row) + u'\n';
        for (const QString& command : t.game.shop()->menuText.text().split(QStringLiteral("\r\n")))
            EXPECT_TRUE(shown.contains(command)) << command.toStdString() << " at " << columns;
    }
}

TEST(CellMap, AClickReachesTheLabelOnTopAtItsCell) {
    Terminal t(80, 24);
    t.newGame();
    t.paint();
    MainWindow& main = t.game.mainWindow();
    const int panelTop = 24 - t.map.panelRows();
    EXPECT_EQ(t.scene.hitAt(2, panelTop).label, &main.captions[0]); // "LV:"
    EXPECT_EQ(t.scene.hitAt(2, panelTop).window, &main);
    EXPECT_EQ(t.scene.hitAt(40, 0).window, t.game.scene().active()); // the caption bar
    EXPECT_EQ(t.scene.hitAt(40, 0).label, nullptr);
    // The player, drawn over the board, is the label at its glyph.
    ui::Label& player = t.game.boardWindow()->player;
    const Picture picture = t.paint();
    for (int row = 1; row < panelTop; ++row)
        if (const qsizetype column = picture.line(row).indexOf(u'X'); column >= 0) {
            EXPECT_EQ(t.scene.hitAt(int(column), row).label, &player);
        }
}

TEST(CellMap, TheObjectOnTopWinsItsCellInItsColourOnTheBoards) {
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
    const ui::Rect board = *b.board.drawnArea();
    const Picture picture = t.paint();
    // The board window's client starts inside its box, one cell in from its corner.
    const Cells box = t.map.cellsOf(b.rect());
    const auto cellOf = [&](const ui::Label& label) {
        const ui::Rect area = *label.drawnArea(); // a glyph is centred in its place
        return picture.at(box.column + 1 + t.map.centredColumn(area, 1),
                          box.row + 1 + t.map.rowOf(area));
    };
    const bool playerOnTop =
        std::ranges::find(b.controls(), &b.player) > std::ranges::find(b.controls(), &b.goldPickup);
    const Cell player = cellOf(playerOnTop ? b.player : b.goldPickup);
    EXPECT_EQ(player.glyph, playerOnTop ? U'X' : U'G');
    EXPECT_EQ(player.fore, (playerOnTop ? b.player : b.goldPickup).look().foreColour);
    EXPECT_EQ(player.back, ui::Colour{0x000001});
    EXPECT_EQ(cellOf(b.gate).glyph, U'E');
    const Cells inside = t.map.cellsOf(board);
    EXPECT_EQ(picture.at(box.column + 1 + inside.column, box.row + 1 + inside.row).back,
              ui::Colour{0x000001});
    // A larger terminal maps the same board onto the same cells, and the panel onto its new rows.
    t.scene.setMap(*CellMap::of(120, 50));
    t.areaResized(t.scene.map().width(), t.scene.map().height());
    Picture larger(120, 50);
    t.scene.paint(larger);
    EXPECT_EQ(larger.at(box.column + 1 + inside.column, box.row + 1 + inside.row).back,
              ui::Colour{0x000001});
    EXPECT_EQ(larger.at(119, 49).back, ui::Colour{0x404040});
}

TEST(Palette, EachTerminalShowsTheNearestColourItHas) {
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

TEST(TerminalDialog, ALineIsTypedEditedAndAnswered) {
    auto type = [](Dialog& dialog, const QString& text) {
        std::optional<bool> done;
        for (char32_t c : text.toUcs4())
            done = dialog.key(keys::typed(c), c);
        return done;
    };
    Dialog prompt(Dialog::Kind::Prompt, QStringLiteral("Vexmoor"),
                  QStringLiteral("What is your name?"), QStringLiteral("Player"));
    EXPECT_FALSE(type(prompt, QStringLiteral("Annx")));
    EXPECT_FALSE(prompt.key(keys::named(keys::Backspace), 0));
    type(prompt, QStringLiteral("a é"));
    EXPECT_EQ(prompt.key(keys::named(keys::Return), 0), true);
    EXPECT_EQ(prompt.answer(), QStringLiteral("Anna é"));
    Picture picture(80, 24);
    prompt.draw(picture);
    QString shown;
    for (int row = 0; row < 24; ++row)
        shown += picture.line(row);
    EXPECT_TRUE(shown.contains(QStringLiteral("What is your name?")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Anna é_")));
    Dialog kept(Dialog::Kind::Prompt, {}, {}, QStringLiteral("Player"));
    EXPECT_EQ(kept.key(keys::named(keys::Return), 0), true);
    EXPECT_EQ(kept.answer(), QStringLiteral("Player"));
    Dialog question(Dialog::Kind::Question, {}, QStringLiteral("Abandon the game?"));
    EXPECT_EQ(question.key(keys::named(keys::Return), 0), false); // No unless Yes is chosen
    EXPECT_EQ(question.key(keys::typed(U'y'), U'y'), true);
    EXPECT_EQ(Dialog(Dialog::Kind::Message, {}, {}).key(keys::named(keys::Escape), 27), false);
}
