#include "web/web_view.h"

#include "shell/game.h"
#include "ui/stat.h"
#include "web/outbox.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>

namespace {

// A whole number from a message, within a range.
std::optional<int> wholeIn(const QJsonValue& value, int lowest, int highest) {
    const double number = value.toDouble(std::nan(""));
    if (!(number >= lowest && number <= highest) || number != std::floor(number))
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<double> placeIn(const QJsonValue& value) {
    const double number = value.toDouble(std::nan(""));
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

const char* kindOf(DialogRequest::Kind kind) {
    switch (kind) {
    case DialogRequest::Kind::Message:
        return "message";
    case DialogRequest::Kind::Question:
        return "question";
    case DialogRequest::Kind::Prompt:
        break;
    }
    return "prompt";
}

QJsonObject dialogMessage(const DialogRequest& dialog) {
    return {{QLatin1String("t"), QStringLiteral("dialog")},
            {QLatin1String("kind"), QLatin1String(kindOf(dialog.kind))},
            {QLatin1String("title"), dialog.title},
            {QLatin1String("text"), dialog.text},
            {QLatin1String("proposed"), dialog.proposed}};
}

// A text block's lines as the page shows them: one a line of its text.
QStringList linesOf(const ui::TextBlock& block) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return block.text().split(lineEnd);
}

} // namespace

WebView::WebView(Game& game, Outbox& out)
    : GameHost(game), quit([] { QCoreApplication::exit(0); }), game_(game), out_(out),
      scene_(game, kAreaWidth, kAreaHeight) {}

void WebView::start() {
    areaResized(kAreaWidth, kAreaHeight);
    game_.start();
    sync();
}

double WebView::areaHeight() const {
    return kAreaHeight - (game_.mainWindow().statusPanel.visible() ? MainWindow::kPanelHeight : 0);
}

void WebView::take(const QJsonObject& message) {
    // What comes after a dialog's answer, while the dialog is still closing, waits for the game,
    // and so does what comes after that: a key pressed right after the answer is the game's.
    if (!held_.empty() || (dialog_ && answer_)) {
        held_.push_back(message);
        if (held_.size() == 1)
            QTimer::singleShot(0, &context_, [this] { takeHeld(); });
        return;
    }
    handle(message);
}

void WebView::takeHeld() {
    while (!held_.empty() && !(dialog_ && answer_)) {
        const QJsonObject message = held_.front();
        held_.pop_front();
        handle(message);
    }
    if (!held_.empty())
        QTimer::singleShot(0, &context_, [this] { takeHeld(); });
}

void WebView::handle(const QJsonObject& message) {
    const QString type = message.value(QLatin1String("t")).toString();
    if (type == QLatin1String("key")) {
        const auto code = wholeIn(message.value(QLatin1String("code")), 0, 0xFFFF);
        const auto typed = wholeIn(message.value(QLatin1String("char")), 0, 0xFFFF);
        // A character of its own: half of a surrogate pair is none.
        if (code && typed && !QChar::isSurrogate(static_cast<char32_t>(*typed)))
            keyDown(*code, *typed);
    } else if (type == QLatin1String("click")) {
        const auto x = placeIn(message.value(QLatin1String("x")));
        const auto y = placeIn(message.value(QLatin1String("y")));
        if (x && y)
            click(message.value(QLatin1String("window")).toString(), *x, *y);
    } else if (type == QLatin1String("answer")) {
        answer(message);
    } else if (type == QLatin1String("snapshot")) {
        snapshot();
    } else if (type == QLatin1String("hidden")) {
        if (message.value(QLatin1String("on")).isBool())
            hide(message.value(QLatin1String("on")).toBool());
    } else if (type == QLatin1String("close")) {
        if (mayClose())
            end();
    } else if (type == QLatin1String("end")) {
        end();
    }
}

void WebView::snapshot() {
    if (stopped())
        return;
    out_.send(scene_.full());
    sent_ = true;
    // A page that comes while a dialog is open sees it too.
    if (dialog_)
        out_.send(dialogMessage(*dialog_));
}

void WebView::click(const QString& windowId, double x, double y) {
    deliver([&] {
        // Found once the clock caught up: a tick may have closed the window.
        ui::Window* window = scene_.window(windowId);
        if (!window)
            return;
        std::vector<ui::Control*> drawn = window->seenIn({{x, y, 0, 0}});
        std::erase_if(drawn, [&](const ui::Control* control) {
            const auto area = control->drawnArea();
            return !area || x < area->left || x >= area->left + area->width || y < area->top ||
                   y >= area->top + area->height;
        });
        pressOn(*window, ui::labelOnTop(drawn));
    });
}

void WebView::answer(const QJsonObject& message) {
    if (!dialog_ || answer_)
        return;
    if (!message.value(QLatin1String("ok")).toBool())
        answer_.emplace(std::nullopt);
    else if (dialog_->kind == DialogRequest::Kind::Prompt)
        // As the recording keeps it: a lone half of a surrogate pair is no character.
        answer_.emplace(
            QString::fromUtf8(message.value(QLatin1String("text")).toString().toUtf8()));
    else
        answer_.emplace(QString());
    dialogLoop_->quit();
}

void WebView::hide(bool hidden) {
    if (hidden == hidden_ || stopped())
        return;
    hidden_ = hidden;
    if (hiddenChanged)
        hiddenChanged(hidden);
}

void WebView::end() {
    if (stopped())
        return;
    stop();
    if (dialogLoop_)
        dialogLoop_->quit();
    quit();
}

std::optional<QString> WebView::runDialog(const DialogRequest& dialog) {
    dialog_ = dialog;
    answer_.reset();
    // What led to the dialog shows behind it.
    sync();
    out_.send(dialogMessage(dialog));
    QEventLoop loop;
    dialogLoop_ = &loop;
    // The messages held since the last answer come to this dialog first, its answer among them;
    // and the loop, run from inside the turn of a message, is woken for those that wait for their
    // turn already, which it would not see otherwise.
    QTimer::singleShot(0, &context_, [this] { takeHeld(); });
    if (!stopped())
        loop.exec();
    dialogLoop_ = nullptr;
    dialog_.reset();
    out_.send({{QLatin1String("t"), QStringLiteral("dialogDone")}});
    return answer_.value_or(std::nullopt);
}

void WebView::help(const QString& page) {
    out_.send({{QLatin1String("t"), QStringLiteral("help")}, {QLatin1String("page"), page}});
}

void WebView::sync() {
    if (stopped())
        return;
    if (!sent_) {
        snapshot();
    } else if (const std::optional<QJsonObject> changes = scene_.changes()) {
        out_.send(*changes);
    }
    tellTitle();
    speak();
    tellStatus();
}

void WebView::tellTitle() {
    if (const std::optional<QString> title = seedTitle_.update(game_))
        out_.send({{QLatin1String("t"), QStringLiteral("title")}, {QLatin1String("text"), *title}});
}

void WebView::tellStatus() {
    MainWindow& main = game_.mainWindow();
    const QJsonObject status{
        {QLatin1String("t"), QStringLiteral("status")},
        {QLatin1String("name"), main.playerName.text()},
        {QLatin1String("level"), ui::Stat(main.level).value().value_or(0)},
        {QLatin1String("timeLeft"), ui::Stat(main.timeLeft).value().value_or(0)},
        {QLatin1String("playing"), game_.boardWindow() != nullptr}};
    if (status == status_)
        return;
    status_ = status;
    out_.send(status);
}

void WebView::speak() {
    std::vector<ui::Window*> windows = game_.scene().windows();
    windows.push_back(&game_.mainWindow());
    std::erase_if(readers_, [&](const auto& reader) {
        return std::ranges::find(windows, reader.first) == windows.end();
    });
    // Read as the desktop's screen reader hears the windows: each window's lines once as it
    // opens, then what changed, the status panel last.
    Announcement news;
    for (const ui::Window* window : windows) {
        const auto [reader, opened] = readers_.try_emplace(window);
        Announcement changes;
        reader->second.read(window, linesOf, opened ? nullptr : &changes);
        reader->second.addLines(news);
        news.add(changes.parts());
    }
    if (!news.isEmpty())
        out_.send(
            {{QLatin1String("t"), QStringLiteral("speak")}, {QLatin1String("text"), news.text()}});
}
