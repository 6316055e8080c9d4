#pragma once

#include "board/board_window.h"
#include "desktop/desktop_window.h"
#include "desktop/window_view.h"
#include "scripted_platform.h"
#include "shell/game.h"
#include "shell/menu_window.h"

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

    // Types N in the main menu with "Anna" queued for the name prompt, and lets the board's
    // start-up tick run.
    BoardWindow& newGame() {
        platform.queueAnswer(QStringLiteral("Anna"));
        QTest::keyClick(&window, Qt::Key_N);
        window.advance(10);
        if (!game.boardWindow())
            qFatal("no board after a new game");
        return *game.boardWindow();
    }

    void showPanel(bool shown) {
        game.mainWindow().statusPanel.setVisible(shown);
        window.sync();
    }

    WindowView& viewOf(const ui::Window& w) {
        WindowView* view = window.viewOf(w);
        if (!view)
            qFatal("no view for a window of the scene");
        return *view;
    }

    // Clicks the middle of a control's place in a view.
    void click(WindowView& view, const ui::Control& control) {
        const auto place = view.placeOf(control);
        if (!place)
            qFatal("the control is not shown");
        QTest::mouseClick(&view, Qt::LeftButton, {}, place->center().toPoint());
    }

    ScriptedPlatform platform;
    Game game{platform};
    DesktopWindow window{game};
};
