#pragma once

#include "board/form2.h"
#include "game_fixture.h"
#include "shop/form3.h"

#include <QTemporaryDir>

// A started game whose save file lives in a fresh folder of its own.
class ShopTest : public GameTest {
  protected:
    ShopTest() {
        platform.folder = programDir.path();
        platform.userFolder = dataDir.path();
    }

    // A new game from the main menu for Anna, past the board's start-up tick.
    Form2& startGame() {
        platform.queueAnswer(QStringLiteral("Anna"));
        press('N');
        game.advance(10);
        return *game.board();
    }

    // The shop over the disabled board, as Escape on the board opens it, without the turn that
    // the key also is on the board.
    Form3& openShop() {
        Form3& shop = game.openShop();
        if (Form2* board = game.board())
            board->setEnabled(false);
        return shop;
    }

    Form2& board() { return *game.board(); }
    Form3* shop() { return game.shop(); }
    const QString& message() { return game.shop()->Msg.text(); }

    void setStats(const QString& energy, const QString& gold) {
        status().Energy.setText(energy);
        status().Gold.setText(gold);
    }

    QTemporaryDir programDir, dataDir;
};
