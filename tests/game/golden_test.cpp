// Each window as the player sees it, dumped as text: its caption, place and colour, then every
// control in drawing order with its name, rectangle, visibility, text and look. The dumps are
// compared with tests/golden/<state>.txt; `make golden` writes them anew after a deliberate
// change, and their diff shows what moved.
#include "game_fixture.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"
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

QString dump(Play& play, const ui::Window& window) {
    std::map<const ui::Control*, QString> names;
    for (auto& [name, thing] : play.things())
        if (const auto* control = std::get_if<ui::Control*>(&thing))
            names.emplace(*control, name);
    QString text = QString("window '%1' %2 back %3%4\n")
                       .arg(window.caption(), rect(window.rect()), colour(window.backColour()),
                            window.enabled() ? "" : " disabled");
    for (const ui::Control* c : window.controls()) {
        text += (names.contains(c) ? names[c] : "?") + " " + rect(c->rect());
        text += c->parentBoard() ? " on " + names[c->parentBoard()] : "";
        text += c->visible() ? "" : " hidden";
        if (const auto* l = dynamic_cast<const ui::Label*>(c))
            text += " label '" + l->text() + "'" + look(l->look());
        else if (const auto* b = dynamic_cast<const ui::TextBlock*>(c))
            text += " text '" + QString(b->text()).replace("\r\n", "|") + "'" + look(b->look());
        else if (const auto* board = dynamic_cast<const ui::Board*>(c))
            text += " board back " + colour(board->backColour());
        else if (const auto* line = dynamic_cast<const ui::Line*>(c))
            text += " line " + colour(line->colour());
        else if (const auto* picture = dynamic_cast<const ui::Picture*>(c))
            text += " picture " + picture->resource();
        else if (const auto* field = dynamic_cast<const ui::HiddenField*>(c))
            text += " field '" + field->text() + "'";
        text += '\n';
    }
    return text;
}

// Frames of one state, each a dump of one window under a heading.
class Golden : public ::testing::Test, public Play {
  protected:
    void frame(const QString& heading, const ui::Window* window) {
        ASSERT_NE(window, nullptr) << heading.toStdString();
        frames += "== " + heading + '\n' + dump(*this, *window);
    }
    void compare(const QString& state) {
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

    QString frames;
};

} // namespace

TEST_F(Golden, Menu) {
    frame("start-up", game.menu());
    compare("menu");
}

TEST_F(Golden, StatusPanel) {
    frame("start-up", &status());
    start();
    apply("rope shown; msg=You will can to continue only 5 times; name=Anna Maria; GD=12345",
          false);
    frame("in a game", &status());
    compare("panel");
}

TEST_F(Golden, Board) {
    platform.queueAnswer("Anna");
    press('N');
    frame("opened", game.boardWindow());
    LevelPlan plan;
    plan.wallDie = 3;
    plan.coins = ObjectPlan{300, 400};
    plan.trap = ObjectPlan{3900, 2900};
    plan.monster = ObjectPlan{1500, 700, 7};
    plan.bat = ObjectPlan{2500, 2000, 2};
    queueBuild(plan);
    game.advance(10);
    frame("level 1", game.boardWindow());
    compare("board");
}

TEST_F(Golden, Path) {
    start();
    apply("player 1000,1000; path", false);
    press(keys::Right);
    press(keys::Down);
    frame("two steps in", game.boardWindow());
    compare("path");
}

TEST_F(Golden, Shop) {
    start();
    apply("player 1000,1000; shop", false);
    frame("opened", game.shop());
    apply("GD=0", false);
    press('A');
    frame("no gold", game.shop());
    compare("shop");
}

TEST_F(Golden, Finale) {
    start();
    apply("LV=99", false);
    game.advance(990);
    for (const auto& [heading, ms] : {std::pair{"opened", 0},
                                      {"sliding", 5000},
                                      {"The End", 10100},
                                      {"title", 2000},
                                      {"goodbye", 3000},
                                      {"shrinking", 1000}}) {
        game.advance(ms);
        frame(heading, game.finale());
    }
    compare("finale");
}

TEST_F(Golden, GameOver) {
    start();
    apply("player 1000,50", false);
    press(keys::Up);
    frame("fallen", game.gameOverWindow());
    compare("gameover");
}

// What a click on each object of the board window tells.
TEST_F(Golden, Legend) {
    start();
    apply("path; board shown; demon=7; spider=3; bat=5", false);
    for (auto& [name, thing] : things()) {
        ui::Control* const* control = std::get_if<ui::Control*>(&thing);
        auto* label = control ? dynamic_cast<ui::Label*>(*control) : nullptr;
        // The holes are all alike; the trail's marks tell nothing.
        const bool alike = name.startsWith("mark") ||
                           (name.startsWith("hole") && name != "hole0" && name != "hole30");
        if (!label || label->owner() != game.boardWindow() || !label->onClick || alike)
            continue;
        label->setVisible(true);
        platform.messages.clear();
        game.click(*label);
        frames += name + ": " + std::get<QString>(Play::thing("box")) + '\n';
    }
    compare("legend");
}
