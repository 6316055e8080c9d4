#include "terminal/terminal_platform.h"

#include "app/clock_driver.h"
#include "terminal/dialog.h"
#include "terminal/terminal_view.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// The design's area, until a view is attached.
constexpr double kStartWidth = 11760;
constexpr double kStartHeight = 8565;

} // namespace

void TerminalPlatform::attach(TerminalView& view, ClockDriver& driver) {
    view_ = &view;
    driver_ = &driver;
}

bool TerminalPlatform::run(Dialog& dialog) {
    if (!view_)
        return false;
    driver_->suspend();
    const bool accepted = view_->runDialog(dialog);
    driver_->resume();
    return accepted;
}

QString TerminalPlatform::inputBox(const QString& prompt, const QString& title,
                                   const QString& proposed) {
    Dialog dialog(Dialog::Kind::Prompt, title, prompt, proposed);
    return run(dialog) ? dialog.answer() : QString();
}

void TerminalPlatform::messageBox(const QString& text) {
    Dialog dialog(Dialog::Kind::Message, {}, text);
    run(dialog);
}

bool TerminalPlatform::askYesNo(const QString& question) {
    Dialog dialog(Dialog::Kind::Question, {}, question);
    return run(dialog);
}

bool TerminalPlatform::openAddress(const QString& url) {
    // Over SSH or on the console no browser can show the page.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    QProcess browser;
    browser.setProgram(QStringLiteral("xdg-open"));
    browser.setArguments({url});
    browser.setStandardOutputFile(QProcess::nullDevice());
    browser.setStandardErrorFile(QProcess::nullDevice());
    return browser.startDetached();
}

void TerminalPlatform::exitNow() {
    // The handler that asked still runs to its end, but nothing reaches the game after it.
    if (view_)
        view_->stop();
    QCoreApplication::exit(0);
}

double TerminalPlatform::screenWidth() const {
    return view_ ? view_->areaWidth() : kStartWidth;
}

double TerminalPlatform::screenHeight() const {
    return view_ ? view_->areaHeight() : kStartHeight;
}
