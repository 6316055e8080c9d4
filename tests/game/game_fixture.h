#pragma once

// A started game on the virtual clock, its save file in a fresh folder, and levels built from a
// plan of their draws: start(plan) is N in the menu and the start-up tick; queueBuild(plan)
// queues the draws of one more buildLevel (a passage, the path's exit, a rope).

#include "board/board_window.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/game_over_window.h"
#include "shell/main_window.h"
#include "shop/shop_window.h"
#include "ui/keys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

// Where scatter puts an object (Left, Top inside the board), and a monster's level.
struct ObjectPlan {
    double left = 0;
    double top = 0;
    int level = 1;
};

// The draws of one buildLevel; optional objects left empty are not placed.
struct LevelPlan {
    int wallDie = 2;                      // 1: closing wall on, 2: off, 3: drift on, 4: off
    bool newBoard = true;                 // false when boardFromPath or loadPending keeps the board
    ui::Rect board{600, 600, 4000, 3000}; // the new board, or the size of the kept one
    ObjectPlan gate{120, 120};
    std::optional<ObjectPlan> coins, hit, food, secret, trap, serum, monster, spider, bat;
};

// Bea's saved game: level 7, the board at 450, 300 of 5000 x 2600, three continues, the rope.
inline const QByteArray kBeaSave("7\r\n55\r\n30\r\n42\r\n25\r\n8\r\n16\r\n64\r\n 300 \r\n"
                                 " 450 \r\n 5000 \r\n 2600 \r\nBea\r\n3\r\nTrue\r\n");

// A rectangle as Left, Top, Width, Height, to compare and print.
inline std::vector<double> sides(const ui::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

class GameTest : public ::testing::Test {
  protected:
    GameTest() {
        platform.folder = programDir.path();
        platform.userFolder = dataDir.path();
        game.start();
    }

    // A key as the player presses it: key-down, then key-press for keys with a character.
    void press(int keyCode) {
        const bool hasChar = keyCode == keys::Escape || (keyCode >= 'A' && keyCode <= 'Z') ||
                             (keyCode >= '0' && keyCode <= '9');
        game.keyDown(keyCode, hasChar ? keyCode : 0);
    }
    MainWindow& status() { return game.mainWindow(); }
    BoardWindow& boardWindow() { return *game.boardWindow(); }
    // The status fields: level, energy, armor, gold, hits, food, serum, time left, name, continues.
    std::vector<QString> fields() {
        std::vector<QString> texts;
        MainWindow& s = status();
        for (const ui::Label* field : {&s.level, &s.energy, &s.armor, &s.gold, &s.hits, &s.food,
                                       &s.serum, &s.timeLeft, &s.playerName, &s.continues})
            texts.push_back(field->text());
        return texts;
    }

    // N in the menu (named "Anna" if need be) and the start-up tick 10 ms later, which builds the
    // plan's level with the player at the board's centre (2000, 1500 by default). The drift's
    // timer is stopped so that time may pass without draws.
    BoardWindow& start(const LevelPlan& plan = {}) {
        if (status().playerName.text() == QLatin1String("Player"))
            platform.queueAnswer(QStringLiteral("Anna"));
        queueBuild(plan, status().width() - 120,
                   status().height() - MainWindow::kPanelHeight - 510);
        press('N');
        game.advance(10);
        boardWindow().drift.setEnabled(false);
        return boardWindow();
    }

    // Back to the main menu with the board closed, as after the finale.
    void backToMenu() {
        game.close(boardWindow());
        game.openMenu();
    }

    // Queues the draw that makes ui::draw(n) give value.
    void queueDraw(double value, double n) { platform.queueDraw(static_cast<int>(value), n); }

    // Queues every draw of one more buildLevel on the open board window.
    void queueBuild(const LevelPlan& plan) {
        queueBuild(plan, boardWindow().width(), boardWindow().height());
    }

    void queueBuild(const LevelPlan& plan, double windowWidth, double windowHeight) {
        platform.queueDraw(plan.wallDie, 4);
        if (plan.newBoard) {
            queueDraw(plan.board.top, windowHeight);
            queueDraw(plan.board.left, windowWidth);
            queueDraw(plan.board.width, 8000);
            queueDraw(plan.board.height, 8000);
        }
        const auto place = [&](const ObjectPlan& object) {
            queueDraw(object.top, plan.board.height);
            queueDraw(object.left, plan.board.width);
        };
        place(plan.gate);
        // The optional objects in the build's order: a die of 1 places one, its top face not.
        const std::optional<ObjectPlan>* optionals[] = {&plan.coins,   &plan.hit,    &plan.food,
                                                        &plan.secret,  &plan.trap,   &plan.serum,
                                                        &plan.monster, &plan.spider, &plan.bat};
        for (int i = 0; i < 9; ++i) {
            const std::optional<ObjectPlan>& object = *optionals[i];
            const int sides = i == 0 ? 30 : 20;
            platform.queueDraw(object ? 1 : sides, sides);
            if (!object)
                continue;
            place(*object);
            if (i >= 6) // a monster's level
                platform.queueDraw(object->level, 9);
        }
    }

    static void put(ui::Label& label, double left, double top, bool visible = true) {
        label.setLeft(left);
        label.setTop(top);
        label.setVisible(visible);
    }

    long gameOverWindows() {
        const auto& windows = game.scene().windows();
        return std::count_if(windows.begin(), windows.end(), [](ui::Window* w) {
            return dynamic_cast<GameOverWindow*>(w) != nullptr;
        });
    }

    QString savePath() const {
        return QDir(programDir.path()).filePath(QStringLiteral("Save.ini"));
    }
    void writeSave(const QByteArray& bytes) {
        QFile f(savePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray saved() const {
        QFile f(savePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir programDir, dataDir;
    ScriptedPlatform platform;
    Game game{platform};
};

class ShopTest : public GameTest {
  protected:
    // Escape on the board, the player at 1000, 1000: away from the board's centre, where the gate
    // comes after each turn, so that the turn leaves everything as it was.
    ShopWindow& openShop() {
        if (BoardWindow* boardWindow = game.boardWindow())
            put(boardWindow->player, 1000, 1000, boardWindow->player.visible());
        press(keys::Escape);
        if (ShopWindow* shop = game.shop())
            return *shop;
        ADD_FAILURE() << "Escape opened no shop";
        return game.openShop();
    }
    const QString& message() { return game.shop()->message.text(); }
};
