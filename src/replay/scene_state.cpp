#include "replay/scene_state.h"

#include "board/board_window.h"
#include "shell/finale_window.h"
#include "shell/game.h"
#include "shell/game_over_window.h"
#include "shell/hall_of_fame_window.h"
#include "shell/menu_window.h"
#include "shop/shop_window.h"

namespace scenestate {

namespace {

struct WindowKind {
    const char* name;
    bool (*is)(const ui::Window&);
    ui::Window& (*open)(Game&);
};

template <class T> bool isA(const ui::Window& window) {
    return dynamic_cast<const T*>(&window) != nullptr;
}
// A window made as the game makes it, but without its onLoad: its state is restored instead.
template <class T> ui::Window& make(Game& game) {
    return game.scene().open<T>(game);
}

constexpr WindowKind kWindows[] = {
    {"menu", isA<MenuWindow>, make<MenuWindow>},
    {"board", isA<BoardWindow>, make<BoardWindow>},
    {"shop", isA<ShopWindow>, make<ShopWindow>},
    {"finale", isA<FinaleWindow>, make<FinaleWindow>},
    {"gameover", isA<GameOverWindow>, make<GameOverWindow>},
    {"fame", isA<HallOfFameWindow>, make<HallOfFameWindow>},
};

// The board's label arrays, whose elements come and go.
struct Array {
    const char* name;
    ui::LabelArray BoardWindow::*array;
};
constexpr Array kArrays[] = {{"holes", &BoardWindow::holes}, {"trail", &BoardWindow::trail}};

// One line of the state, its tokens joined by spaces.
class Line {
  public:
    explicit Line(QByteArray& out, const char* keyword) : out_(out) { out_ += keyword; }
    ~Line() { out_ += '\n'; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Line& raw(const char* token) {
        out_ += ' ';
        out_ += token;
        return *this;
    }
    Line& text(const QString& text) {
        recording::appendEncoded(out_ += ' ', text);
        return *this;
    }
    Line& number(double value) {
        recording::appendNumber(out_ += ' ', value);
        return *this;
    }
    Line& flag(bool on) { return raw(on ? "1" : "0"); }
    Line& whole(qint64 value) {
        recording::appendWhole(out_ += ' ', value);
        return *this;
    }
    Line& rect(const ui::Rect& rect) {
        return number(rect.left).number(rect.top).number(rect.width).number(rect.height);
    }

  private:
    QByteArray& out_;
};

void writeControl(QByteArray& out, const ui::Control& control) {
    const auto place = [&control](Line& line) -> Line& {
        return line.flag(control.visible()).rect(control.rect());
    };
    switch (control.kind()) {
    case ui::Control::Kind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        const ui::LabelLook& look = label.look();
        Line line(out, "control label");
        place(line)
            .text(label.text())
            .whole(look.foreColour)
            .flag(look.opaque)
            .whole(look.backColour)
            .text(look.font.family)
            .number(look.font.points)
            .whole(look.font.weight)
            .flag(look.align == ui::Align::Center)
            .flag(look.border)
            .text(look.tooltip)
            .flag(look.handCursor);
        break;
    }
    case ui::Control::Kind::HiddenField: {
        Line line(out, "control field");
        place(line).text(static_cast<const ui::HiddenField&>(control).text());
        break;
    }
    case ui::Control::Kind::Board: {
        Line line(out, "control board");
        place(line).whole(static_cast<const ui::Board&>(control).backColour());
        break;
    }
    default: {
        Line line(out, "control other");
        place(line);
    }
    }
}

void writeWindow(QByteArray& out, const char* kind, const ui::Window& window) {
    Line(out, "window").raw(kind).flag(window.enabled()).rect(window.rect()).text(window.caption());
    if (const auto* board = dynamic_cast<const BoardWindow*>(&window))
        for (const Array& array : kArrays) {
            Line loaded(out, "array");
            loaded.raw(array.name);
            const ui::LabelArray& labels = board->*array.array;
            for (int i = 1; i < labels.count(); ++i)
                if (labels.isLoaded(i))
                    loaded.whole(i);
        }
    for (const ui::Timer* timer : window.timers())
        Line(out, "timer").flag(timer->enabled()).whole(timer->interval()).whole(timer->due());
    for (const ui::Control* control : window.controls())
        writeControl(out, *control);
}

// Reads the tokens of one line into a window being restored.
class Restorer {
  public:
    explicit Restorer(Game& game) : game_(game) {}

    std::optional<QString> take(const QStringList& tokens);
    // The window before the next one, or the last, has all its timers and controls.
    std::optional<QString> complete() const;

  private:
    std::optional<QString> openWindow(const QStringList& tokens);
    std::optional<QString> loadArray(const QStringList& tokens);
    std::optional<QString> restoreTimer(const QStringList& tokens);
    std::optional<QString> restoreControl(const QStringList& tokens);

    Game& game_;
    ui::Window* window_ = nullptr;
    std::size_t timers_ = 0, controls_ = 0;
};

bool readRect(const QStringList& tokens, qsizetype from, ui::Rect& rect) {
    bool ok[4] = {};
    rect = {tokens.value(from).toDouble(&ok[0]), tokens.value(from + 1).toDouble(&ok[1]),
            tokens.value(from + 2).toDouble(&ok[2]), tokens.value(from + 3).toDouble(&ok[3])};
    return ok[0] && ok[1] && ok[2] && ok[3];
}

std::optional<QString> Restorer::take(const QStringList& tokens) {
    const QString& keyword = tokens[0];
    if (keyword == QLatin1String("window"))
        return openWindow(tokens);
    if (!window_)
        return QStringLiteral("no window before it");
    if (keyword == QLatin1String("array"))
        return loadArray(tokens);
    if (keyword == QLatin1String("timer"))
        return restoreTimer(tokens);
    return restoreControl(tokens);
}

std::optional<QString> Restorer::complete() const {
    if (window_ && (timers_ != window_->timers().size() || controls_ != window_->controls().size()))
        return QStringLiteral("the window before has other timers or controls");
    return std::nullopt;
}

std::optional<QString> Restorer::openWindow(const QStringList& tokens) {
    if (const auto fault = complete())
        return fault;
    const QString kind = tokens.value(1);
    window_ = nullptr;
    if (kind == QLatin1String("main"))
        window_ = &game_.mainWindow();
    for (const WindowKind& known : kWindows)
        if (kind == QLatin1String(known.name))
            window_ = &known.open(game_);
    ui::Rect rect;
    const auto caption = recording::decode(tokens.value(7));
    if (!window_ || tokens.size() != 8 || !readRect(tokens, 3, rect) || !caption)
        return QStringLiteral("the window is damaged");
    window_->setEnabled(tokens[2] == QLatin1String("1"));
    window_->setLeft(rect.left);
    window_->setTop(rect.top);
    window_->setWidth(rect.width);
    window_->setHeight(rect.height);
    window_->setCaption(*caption);
    timers_ = controls_ = 0;
    return std::nullopt;
}

std::optional<QString> Restorer::loadArray(const QStringList& tokens) {
    auto* board = dynamic_cast<BoardWindow*>(window_);
    for (const Array& array : kArrays)
        if (board && tokens.value(1) == QLatin1String(array.name)) {
            for (qsizetype i = 2; i < tokens.size(); ++i) {
                bool ok = false;
                const int index = tokens[i].toInt(&ok);
                if (!ok || index < 1)
                    return QStringLiteral("the array is damaged");
                (board->*array.array).load(index);
            }
            return std::nullopt;
        }
    return QStringLiteral("no such array");
}

std::optional<QString> Restorer::restoreTimer(const QStringList& tokens) {
    bool ok[2] = {};
    const int interval = tokens.value(2).toInt(&ok[0]);
    const std::int64_t due = tokens.value(3).toLongLong(&ok[1]);
    const bool enabled = tokens.value(1) == QLatin1String("1");
    // A running timer's next tick is within its interval from now.
    const std::int64_t now = game_.clock().now();
    if (tokens.size() != 4 || !ok[0] || !ok[1] || timers_ >= window_->timers().size() ||
        (enabled && (due <= now || due > now + interval)))
        return QStringLiteral("the timer is damaged");
    window_->timers()[timers_++]->restore(enabled, interval, due);
    return std::nullopt;
}

std::optional<QString> Restorer::restoreControl(const QStringList& tokens) {
    const QString damaged = QStringLiteral("the control is damaged");
    ui::Rect rect;
    if (controls_ >= window_->controls().size() || !readRect(tokens, 3, rect))
        return damaged;
    ui::Control& control = *window_->controls()[controls_++];
    const QString kind = tokens.value(1);
    bool ok = true;
    if (control.kind() == ui::Control::Kind::Label && kind == QLatin1String("label") &&
        tokens.size() == 18) {
        auto& label = static_cast<ui::Label&>(control);
        ui::LabelLook look = label.look();
        const auto text = recording::decode(tokens[7]);
        const auto family = recording::decode(tokens[11]);
        const auto tooltip = recording::decode(tokens[16]);
        bool fits[5] = {};
        look.foreColour = tokens[8].toUInt(&fits[0]);
        look.opaque = tokens[9] == QLatin1String("1");
        look.backColour = tokens[10].toUInt(&fits[1]);
        look.font.points = tokens[12].toDouble(&fits[2]);
        look.font.weight = tokens[13].toInt(&fits[3]);
        look.align = tokens[14] == QLatin1String("1") ? ui::Align::Center : ui::Align::Left;
        fits[4] = text && family && tooltip;
        for (const bool fit : fits)
            ok = ok && fit;
        if (ok) {
            look.font.family = *family;
            look.border = tokens[15] == QLatin1String("1");
            look.tooltip = *tooltip;
            look.handCursor = tokens[17] == QLatin1String("1");
            label.setText(*text);
            label.setLook(look);
        }
    } else if (control.kind() == ui::Control::Kind::HiddenField && kind == QLatin1String("field") &&
               tokens.size() == 8) {
        const auto text = recording::decode(tokens[7]);
        ok = text.has_value();
        if (ok)
            static_cast<ui::HiddenField&>(control).setText(*text);
    } else if (control.kind() == ui::Control::Kind::Board && kind == QLatin1String("board") &&
               tokens.size() == 8) {
        static_cast<ui::Board&>(control).setBackColour(tokens[7].toUInt(&ok));
    } else {
        ok = kind == QLatin1String("other") && tokens.size() == 7;
    }
    if (!ok)
        return damaged;
    control.setRect(rect);
    control.setVisible(tokens[2] == QLatin1String("1"));
    return std::nullopt;
}

} // namespace

void append(QByteArray& out, Game& game) {
    writeWindow(out, "main", game.mainWindow());
    for (const ui::Window* window : game.scene().windows())
        for (const WindowKind& kind : kWindows)
            if (kind.is(*window))
                writeWindow(out, kind.name, *window);
}

std::optional<QString> restore(Game& game, const std::vector<recording::StateLine>& lines) {
    Restorer restorer(game);
    for (const recording::StateLine& line : lines)
        if (const auto fault = restorer.take(line.text.split(QLatin1Char(' '))))
            return QStringLiteral("line %1: %2").arg(line.line).arg(*fault);
    if (const auto fault = restorer.complete())
        return QStringLiteral("line %1: %2").arg(lines.back().line).arg(*fault);
    return std::nullopt;
}

} // namespace scenestate
