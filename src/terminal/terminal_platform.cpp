#include "terminal/terminal_platform.h"

#include "terminal/dialog.h"
#include "terminal/terminal_view.h"

#include <QProcess>

namespace {

// The design's area, until a view is attached.
constexpr double kStartWidth = 11760;
constexpr double kStartHeight = 8565;

} // namespace

void TerminalPlatform::attach(TerminalView& view, ClockDriver& driver) {
    view_ = &view;
    attachClock(driver);
}

std::optional<QString> TerminalPlatform::show(const DialogRequest& request) {
    Dialog dialog(request.kind, request.title, request.text, request.proposed);
    if (!view_->runDialog(dialog))
        return std::nullopt;
    return dialog.answer();
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

void TerminalPlatform::stop() {
    if (view_)
        view_->stop();
}

double TerminalPlatform::screenWidth() const {
    return view_ ? view_->areaWidth() : kStartWidth;
}

double TerminalPlatform::screenHeight() const {
    return view_ ? view_->areaHeight() : kStartHeight;
}
