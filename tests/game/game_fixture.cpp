#include "game_fixture.h"

#include "board/sightings.h"
#include "shell/finale_window.h"
#include "shell/menu_window.h"
#include "ui/number.h"

#include <QRegularExpression>

namespace {

QStringList split(const QString& text, char separator) {
    return text.trimmed().split(QRegularExpression(QString("\\s*%1\\s*").arg(separator)),
                                Qt::SkipEmptyParts);
}

ui::Control* controlOf(const Thing& thing) {
    ui::Control* const* control = std::get_if<ui::Control*>(&thing);
    return control ? *control : nullptr;
}

QString joined(const std::vector<QString>& texts) {
    return QStringList(texts.begin(), texts.end()).join(" | ");
}

} // namespace

BoardWindow& Play::start(const QString& dice) {
    if (status().playerName.text() == "Player")
        platform.queueAnswer("Anna");
    queueDice(dice);
    press('N');
    game.advance(10);
    boardWindow().drift.setEnabled(false);
    return boardWindow();
}

void Play::press(int keyCode) {
    const bool hasChar = keyCode == keys::Escape || (keyCode >= 'A' && keyCode <= 'Z') ||
                         (keyCode >= '0' && keyCode <= '9');
    game.keyDown(keyCode, hasChar ? keyCode : 0);
}

std::vector<std::pair<QString, Thing>> Play::things() {
    std::vector<std::pair<QString, Thing>> list;
    const auto add = [&list](const QString& names, std::initializer_list<Thing> things) {
        const QStringList each = names.split(' ');
        for (qsizetype i = 0; i < each.size(); ++i)
            list.emplace_back(each[i], things.begin()[i]);
    };
    MainWindow& m = status();
    add("LV EN AM GD HT FD SR TM CP name msg rope panel picBack statsDivider messageDivider",
        {&m.level, &m.energy, &m.armor, &m.gold, &m.hits, &m.food, &m.serum, &m.timeLeft,
         &m.continues, &m.playerName, &m.messageLine(), &m.ropeIndicator(), &m.statusPanel,
         &m.boardColour, &m.statsDivider, &m.messageDivider});
    for (int i = 0; i < 10; ++i)
        add(QString("caption%1").arg(i), {&m.captions[i]});
    add("countdown statusTimer mainWindow menuWindow boardWindow shop finale overScreen",
        {&m.countdown, &m.statusTimer, &m, game.menu(), game.boardWindow(), game.shop(),
         game.finale(), game.gameOverWindow()});
    if (BoardWindow* b = game.boardWindow()) {
        add("board player gate passage gold hits food serum sand demon spider bat pathPlayer "
            "pathTime pathGold pathFood",
            {&b->board, &b->player, &b->gate, &b->secretPassage, &b->goldPickup, &b->hitsPickup,
             &b->foodPickup, &b->serumPickup, &b->quicksand, &b->demon, &b->spider, &b->bat,
             &b->pathPlayer, &b->pathTime, &b->pathGold, &b->pathFood});
        for (int i = 0; i < std::max(b->holes.count(), b->trail.count()); ++i) {
            if (b->holes.isLoaded(i))
                add(QString("hole%1").arg(i), {&b->holes[i]});
            if (b->trail.isLoaded(i))
                add(QString("mark%1").arg(i), {&b->trail[i]});
        }
        add("sections prevTop prevLeft marks loadPending fromPath onPath wallOn driftOn dir over "
            "stuck startUp wall drift sandTimer",
            {&b->pathSections, &b->pathPlayerPreviousTop, &b->pathPlayerPreviousLeft,
             &b->trailMarks, &b->loadPending, &b->boardFromPath, &b->onPath, &b->closingWallOn,
             &b->driftOn, &b->driftDirection, &b->gameOver, &b->stuckInQuicksand, &b->startUp,
             &b->closingWall, &b->drift, &b->quicksandTimer});
        QStringList seen;
        for (const Sighting& sighting : sightings(*b))
            seen << sighting.text + (sighting.news ? "!" : "");
        add("sightings edges", {seen.join(" | "), edgesNear(*b).join(" | ")});
    }
    if (MenuWindow* menu = game.menu())
        add("title menuText credits", {&menu->title, &menu->menuText, &menu->credits});
    if (ShopWindow* shop = game.shop())
        add("shopMenu shopLine shopMsg", {&shop->menuText, &shop->divider, &shop->message});
    if (FinaleWindow* f = game.finale())
        add("headline couple hero princess heart frame theEnd finaleCredits",
            {&f->headline, &f->couple, &f->hero, &f->princess, &f->heart, &f->frame, &f->theEnd,
             &f->credits});
    if (GameOverWindow* over = game.gameOverWindow())
        add("banner", {&over->banner});

    // What the player sees besides the windows' controls.
    QStringList windows;
    for (ui::Window* window : game.scene().windows())
        for (auto& [name, thing] : list)
            if (thing == Thing(window))
                windows << name;
    QFile saved(savePath());
    const auto& seed = platform.gameSeed();
    add("windows prompts box addresses exits reseeds saved seed",
        {windows.join(','), joined(platform.prompts), joined(platform.messages),
         joined(platform.addresses).replace(platform.folder, "PROGRAM"),
         QString::number(platform.exits), QString::number(platform.reseeds),
         saved.open(QIODevice::ReadOnly) ? QString(saved.readAll()).replace("\r\n", "/") : "",
         seed ? seed->text() : ""});
    return list;
}

Thing Play::thing(const QString& name) {
    for (auto& [known, thing] : things())
        if (known == name)
            return thing;
    return {};
}

// A clause is "name=text", "name left,top" (or "left,top,width,height") or "name state": shown or
// hidden for a control, on or off for a timer, open, closed, enabled or disabled for a window. Set
// up, a label put somewhere is shown, "saved=" writes the save file with "/" as line ends, and
// "seed=" gives the game a seed as the save file writes it.
void Play::apply(const QString& clauses, bool check) {
    for (const QString& clause : split(clauses, ';')) {
        if (!check && clause == "path") {
            queueDice("path");
            boardWindow().gate.setRect(boardWindow().player.rect());
            boardWindow().gate.setVisible(true);
            press('A');
        }
        if (!check && clause == "shop")
            press(keys::Escape);
        if (!check && (clause == "menu" || clause == "shop" || clause == "path"))
            continue;
        const bool isText = clause.section(' ', 0, 0).contains('=');
        const qsizetype at = clause.indexOf(isText ? '=' : ' ');
        const QString value = clause.mid(at + 1).trimmed();
        const Thing thing = this->thing(clause.left(at));
        ui::Control* const control = controlOf(thing);
        auto* const label = dynamic_cast<ui::Label*>(control);
        auto* const field = dynamic_cast<ui::HiddenField*>(control);
        ui::Timer* const* timer = std::get_if<ui::Timer*>(&thing);
        ui::Window* const* window = std::get_if<ui::Window*>(&thing);
        QString actual;
        if (at < 0 || std::holds_alternative<std::monostate>(thing)) {
            ADD_FAILURE() << "no such thing in " << clause.toStdString();
        } else if (isText && (label || field)) {
            if (!check)
                label ? label->setText(value) : field->setText(value);
            actual = label ? label->text() : field->text();
        } else if (isText) {
            QFile file(savePath());
            if (!check && clause.startsWith("saved=") && file.open(QIODevice::WriteOnly))
                file.write(QString(value).replace('/', "\r\n").toUtf8());
            if (!check && clause.startsWith("seed="))
                platform.setGameSeed(ui::GameSeed::fromText(value));
            actual = std::get<QString>(thing);
        } else if (!value.isEmpty() && (value[0].isDigit() || value[0] == '-')) {
            const QStringList sides = value.split(',');
            ui::Rect r = control             ? control->rect()
                         : window && *window ? (*window)->rect()
                                             : ui::Rect{};
            double* const edges[] = {&r.left, &r.top, &r.width, &r.height};
            QStringList now;
            for (qsizetype i = 0; i < sides.size(); ++i)
                now << ui::numberText(check ? *edges[i] : (*edges[i] = sides[i].toDouble()));
            if (!check && control) {
                control->setRect(r);
                control->setVisible(control->visible() || label);
            }
            actual = now.join(',');
        } else if (control) {
            if (!check)
                control->setVisible(value == "shown");
            actual = control->visible() ? "shown" : "hidden";
        } else if (timer) {
            if (!check)
                (*timer)->setEnabled(value == "on");
            actual = (*timer)->enabled() ? "on" : "off";
        } else if (window) {
            const bool abled = value.endsWith("abled");
            actual = !*window               ? "closed"
                     : !abled               ? "open"
                     : (*window)->enabled() ? "enabled"
                                            : "disabled";
        }
        if (check) {
            EXPECT_EQ(actual, value) << "in " << clause.toStdString();
        }
    }
}

void Play::queueDice(const QString& dice) {
    static const QRegularExpression form("^(\\d+)/(\\d+)([<>]?)$");
    for (const QString& die : split(dice, ' ')) {
        const auto match = form.match(die);
        if (die == "empty") {
            queueDice("120/3000 120/4000 30/30" + QString(" 20/20").repeated(8));
        } else if (die.startsWith("build") || die == "kept") {
            queueDice(die.section(':', 1).leftJustified(1, '2') + "/4 " +
                      (die == "kept" ? "" : "600/7830 600/11760 4000/8000 3000/8000 ") + "empty");
        } else if (die == "path") {
            queueDice(QString(" 6000/7830 9000/11760").repeated(31) +
                      QString(" 100/7830 3000/11760").repeated(3));
        } else if (die == "...") {
            anyDraws_ = true;
        } else if (match.hasMatch()) {
            const double value = match.captured(1).toDouble(), n = match.captured(2).toDouble();
            const QString edge = match.captured(3);
            platform.randoms.push_back(edge == "<"   ? (value - 1) / n + 1e-9
                                       : edge == ">" ? value / n - 1e-9
                                                     : (value - 0.5) / n);
        } else {
            ADD_FAILURE() << "no die: " << die.toStdString();
        }
    }
}

void Play::playKeys(const QString& strokes) {
    const QStringList arrows{"Left", "Up", "Right", "Down"}; // 37 to 40
    for (const QString& key : split(strokes, ' ')) {
        auto* label = key.startsWith("click:")
                          ? dynamic_cast<ui::Label*>(controlOf(thing(key.mid(6))))
                          : nullptr;
        if (key.startsWith('+'))
            game.advance(key.mid(1).toLongLong());
        else if (key.startsWith("say:"))
            platform.queueAnswer(key.mid(4));
        else if (label)
            game.click(*label);
        else if (key == "Esc")
            press(keys::Escape);
        else if (arrows.contains(key))
            press(keys::Left + arrows.indexOf(key));
        else if (key.size() == 1)
            press(key[0].unicode());
        else
            ADD_FAILURE() << "no key: " << key.toStdString();
    }
}

void Play::setUp(const QString& setup) {
    if (!split(setup, ';').contains("menu")) {
        start();
        // Away from the board's centre, where the gate comes when no monster guards it.
        boardWindow().player.setRect({1000, 1000, 255, 255});
    }
    apply(setup, false);
}

void Play::run(const Row& row) {
    SCOPED_TRACE(QString("{%1 | %2 | %3 | %4}")
                     .arg(row.setup, row.dice, row.keys, row.expect)
                     .toStdString());
    setUp(row.setup);
    const int drawn = platform.randomCalls;
    queueDice(row.dice);
    const auto queued = static_cast<int>(platform.randoms.size());
    playKeys(row.keys);
    apply(row.expect, true);
    EXPECT_TRUE(platform.randoms.empty()) << platform.randoms.size() << " dice left";
    if (!anyDraws_) {
        EXPECT_EQ(platform.randomCalls - drawn, queued) << "draws beyond the dice";
    }
}

void check(std::initializer_list<Row> rows) {
    for (const Row& row : rows)
        Play().run(row);
}
