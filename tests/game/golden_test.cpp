// Each window as the player sees it, dumped as text and compared with tests/golden/<state>.txt;
// `make golden` writes them anew after a deliberate change, and their diff shows what moved.
#include "game_fixture.h"
#include "ui/number.h"

#include <map>

namespace {

QString colour(ui::Colour c) {
    return "&H" + QString("%1").arg(c, 6, 16, QChar('0')).toUpper();
}

QString rect(const ui::Rect& r) {
    return QStringList{ui::numberText(r.left), ui::numberText(r.top), ui::numberText(r.width),
                       ui::numberText(r.height)}
        .join(',');
}

QString look(const ui::LabelLook& l) {
    return QString(" fore %1%2 font '%3' %4 %5 %6")
               .arg(colour(l.foreColour), l.opaque ? " back " + colour(l.backColour) : "",
                    l.font.family, ui::numberText(l.font.points), QString::number(l.font.weight),
                    l.align == ui::Align::Center ? "centre" : "left") +
           (l.border ? " border" : "") + (l.tooltip.isEmpty() ? "" : " tip '" + l.tooltip + "'") +
           (l.handCursor ? " hand" : "");
}

// A window, and each of its controls in drawing order; a shown label tells what a click on it
// shows.
QString dump(Play& play, const ui::Window& window) {
    std::map<const ui::Control*, QString> names;
    for (auto& [name, thing] : play.things())
        if (const auto* control = std::get_if<ui::Control*>(&thing))
            names.emplace(*control, name);
    QString text = QString("window '%1' %2 back %3%4\n")
                       .arg(window.caption(), rect(window.rect()), colour(window.backColour()),
                            window.enabled() ? "" : " disabled");
    for (ui::Control* c : window.controls()) {
        text += names[c] + " " + rect(c->rect()) +
                (c->parentBoard() ? " on " + names[c->parentBoard()] : "") +
                (c->visible() ? "" : " hidden");
        if (auto* l = dynamic_cast<ui::Label*>(c)) {
            play.platform.messages.clear();
            play.game.click(*l);
            text += " label '" + l->text() + "'" + look(l->look()) +
                    (play.platform.messages.empty() ? ""
                                                    : " tells '" + play.platform.messages[0] + "'");
        } else if (const auto* b = dynamic_cast<const ui::TextBlock*>(c)) {
            text += " text '" + QString(b->text()).replace("\r\n", "|") + "'" + look(b->look());
        } else if (const auto* board = dynamic_cast<const ui::Board*>(c)) {
            text += " board back " + colour(board->backColour());
        } else if (const auto* line = dynamic_cast<const ui::Line*>(c)) {
            text += " line " + colour(line->colour());
        } else if (const auto* picture = dynamic_cast<const ui::Picture*>(c)) {
            text += " picture " + picture->resource();
        } else if (const auto* field = dynamic_cast<const ui::HiddenField*>(c)) {
            text += " field '" + field->text() + "'";
        }
        text += '\n';
    }
    return text;
}

// Compares a state's frames with its golden file, or writes the file anew under UPDATE_GOLDEN.
void compare(const QString& state, const QString& frames) {
    QFile file(QString(VEXMOOR_GOLDEN_DIR "/%1.txt").arg(state));
    if (qEnvironmentVariableIsSet("UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(frames.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no golden file " << state.toStdString();
    EXPECT_EQ(frames.toStdString(), file.readAll().toStdString())
        << "a deliberate change? `make golden` writes the golden files anew";
}

} // namespace

TEST(Golden, EachWindowAsThePlayerSeesIt) {
    // Each state: its file, a row's setup and dice, the window dumped, and the keys before each
    // frame. The board's level: the drift on, gold, quicksand in the corner, a demon and a bat.
    const struct {
        const char *file, *setup, *dice, *window;
        std::vector<const char*> frames;
    } states[] = {
        {"menu", "menu", "", "menuWindow", {""}},
        {"panel", "menu", "build", "mainWindow", {"", "say:Anna N +10 say:qyx click:caption0"}},
        {"board",
         "menu",
         "3/4 600/7830 600/11760 4000/8000 3000/8000 120/3000 120/4000 1/30 400/3000 300/4000 "
         "20/20 20/20 20/20 1/20 2900/3000 3900/4000 20/20 1/20 700/3000 1500/4000 7/9 20/20 "
         "1/20 2000/3000 2500/4000 2/9",
         "boardWindow",
         {"say:Anna N", "+10"}},
        {"path", "path", "5000/7830 5000/11760 3500/8000 2500/8000", "boardWindow", {"Right Down"}},
        {"shop", "GD=0", "", "shop", {"Esc", "A"}},
        {"finale", "LV=99", "", "finale", {"+990", "+5000", "+10100", "+2000", "+3000", "+1000"}},
        {"gameover", "player 1000,50", "", "overScreen", {"Up"}},
    };
    for (const auto& state : states) {
        Play play;
        play.run({state.setup, "", "", ""});
        play.queueDice(state.dice);
        QString frames;
        for (const char* keys : state.frames) {
            play.playKeys(keys);
            const Thing window = play.thing(state.window);
            ASSERT_TRUE(std::get<ui::Window*>(window)) << state.window << " after " << keys;
            frames += QString("== %1\n").arg(keys) + dump(play, *std::get<ui::Window*>(window));
        }
        compare(state.file, frames);
    }
}
