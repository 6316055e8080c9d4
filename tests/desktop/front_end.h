#pragma once

#include "board/board_window.h"
#include "desktop/desktop_window.h"
#include "desktop/window_view.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

// The game behind a shown main window, on a scripted platform and the virtual clock.
struct FrontEnd {
    FrontEnd() {
        game.start();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the main window was not exposed");
    }

    // N in the main menu, "Anna" for the name, and the board's start-up tick; only the player, at
    // 480, 480, and the gate stay on the board.
    BoardWindow& newGame() {
        platform.queueAnswer(QStringLiteral("Anna"));
        QTest::keyClick(&window, Qt::Key_N);
        window.advance(10);
        BoardWindow& b = *game.boardWindow();
        for (ui::Label* other : {&b.secretPassage, &b.goldPickup, &b.hitsPickup, &b.foodPickup,
                                 &b.serumPickup, &b.quicksand, &b.demon, &b.spider, &b.bat})
            other->setVisible(false);
        b.player.setRect({480, 480, 255, 255});
        window.sync();
        return b;
    }

    WindowView& viewOf(const ui::Window& w) { return *window.viewOf(w); }

    ScriptedPlatform platform;
    Game game{platform};
    DesktopWindow window{game};
};
