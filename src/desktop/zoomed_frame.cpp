#include "desktop/zoomed_frame.h"

#include "desktop/zoom.h"
#include "ui/window.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QProxyStyle>

namespace {

// The desktop's own look of a child window, its frame and caption bar as thick as the zoom makes
// the game's allowance for them.
class FrameStyle : public QProxyStyle {
  public:
    explicit FrameStyle(const Zoom& zoom) : zoom_(zoom) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_MdiSubWindowFrameWidth:
            return qRound(zoom_.pixels(ui::Window::kBorder));
        case PM_TitleBarHeight: // down to the client area
            return qRound(zoom_.pixels(ui::Window::kBorder + ui::Window::kCaptionBar));
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

  private:
    Zoom zoom_;
};

} // namespace

void zoomFrame(QMdiSubWindow& sub, const Zoom& zoom) {
    // A style of its own for each zoom: a new style lays the frame out anew.
    QStyle* old = sub.style();
    auto* style = new FrameStyle(zoom);
    style->setParent(&sub);
    sub.setStyle(style);
    if (dynamic_cast<FrameStyle*>(old))
        delete old;
    QFont caption = QApplication::font(&sub);
    caption.setPointSizeF(caption.pointSizeF() * zoom.factor());
    sub.setFont(caption);
    sub.setMinimumSize(qRound(zoom.pixels(ui::Window::kMinimumWidth)), 1);
}
