// The game clock of the main window: Timer1 counts the time down once a second, Timer2 clears
// the message line and lets the countdown run only while the board is shown.
#include "board/form2.h"
#include "shell/form1.h"
#include "shell/game.h"
#include "shell/mdiform1.h"
#include "ui/number.h"

void MDIForm1::Timer1_Timer() {
    if (ui::holds(Liv.text(), [](double level) { return level >= 99; })) {
        if (Form1* menu = game_.menu())
            game_.close(*menu);
        game_.openFinale();
        return;
    }
    ui::addTo(Tempo, -1);
    if (!ui::holds(Tempo.text(), [](double left) { return left <= 1; }))
        return;
    Tempo.setText(QStringLiteral("0"));
    setMessage(QStringLiteral("Game Over. Sorry. No time."));
    Form2* board = game_.board();
    if (board)
        board->GameOver.setText(QStringLiteral("1"));
    Timer1.setEnabled(false);
    if (board)
        board->Wall.setEnabled(false);
    Energy.setText(QStringLiteral("0"));
    if (board)
        board->Mio.setVisible(false);
}

void MDIForm1::Timer2_Timer() {
    Form2* board = game_.board();
    const bool boardShown = board && board->Pic.visible();
    if (boardShown)
        board->Mio2.setVisible(false);
    Timer1.setEnabled(boardShown);
    setMessage({});
}
