#include "desktop/window_place.h"

#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");

// Room for a window manager's frame and caption while the real ones are not known yet.
constexpr int kFrameAllowance = 8;
constexpr int kCaptionAllowance = 40;

QSize frameAround(const QWidget& window) {
    const QSize known = window.frameGeometry().size() - window.size();
    return known.expandedTo({kFrameAllowance, kCaptionAllowance + kFrameAllowance});
}

} // namespace

void fitOnScreen(QWidget& window) {
    const QRect room = window.screen()->availableGeometry();
    const QSize frame = frameAround(window);
    window.resize(window.size().boundedTo(room.size() - frame));
    // The top-left corner of the free area, where a game window starts with no place remembered.
    window.move(room.topLeft());
}

void placeOnScreen(QWidget& window, const QSettings& settings) {
    if (!window.restoreGeometry(settings.value(kGeometryKey).toByteArray()))
        fitOnScreen(window);
}

void rememberPlace(const QWidget& window, QSettings& settings) {
    settings.setValue(kGeometryKey, window.saveGeometry());
}
