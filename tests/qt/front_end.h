#pragma once

#include "board/form2.h"
#include "scripted_platform.h"
#include "shell/form1.h"
#include "shell/game.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/windowview.h"

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
    Form2& newGame() {
        platform.queueAnswer(QStringLiteral("Anna"));
        QTest::keyClick(&window, Qt::Key_N);
        window.advance(10);
        if (!game.board())
            qFatal("no board after a new game");
        return *game.board();
    }

    void showPanel(bool shown) {
        game.main().Picture1.setVisible(shown);
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
    MainWindow window{game};
};
