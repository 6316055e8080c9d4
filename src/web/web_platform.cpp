#include "web/web_platform.h"

#include "web/web_view.h"

#include <QUrl>

void WebPlatform::attach(WebView& view, ClockDriver& driver) {
    view_ = &view;
    attachClock(driver);
}

std::optional<QString> WebPlatform::show(const DialogRequest& request) {
    return view_->runDialog(request);
}

bool WebPlatform::canShowDialogs() const {
    return view_ && !view_->stopped();
}

void WebPlatform::stop() {
    if (view_)
        view_->end();
}

bool WebPlatform::openAddress(const QString& url) {
    // The page opens the server's copy of the help, by the page's name.
    if (!view_)
        return false;
    view_->help(QUrl(url).fileName());
    return true;
}

double WebPlatform::screenWidth() const {
    return WebView::kAreaWidth;
}

double WebPlatform::screenHeight() const {
    return view_ ? view_->areaHeight() : WebView::kAreaHeight;
}
