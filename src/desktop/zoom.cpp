#include "desktop/zoom.h"

#include "shell/main_window.h"

#include <QtMath>
#include <algorithm>

QRectF Zoom::pixels(const ui::Rect& r) const {
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

QRect Zoom::wholePixels(const ui::Rect& r) const {
    return {qRound(pixels(r.left)), qRound(pixels(r.top)), qRound(pixels(r.width)),
            qRound(pixels(r.height))};
}

Stage Stage::fitting(QSize client, bool panelShown) {
    const QSize design = Zoom::kDesign;
    const double factor =
        std::max(Zoom::kSmallest, std::min(double(client.width()) / design.width(),
                                           double(client.height()) / design.height()));
    Stage stage;
    stage.zoom = Zoom(factor);
    const QSize size(qRound(design.width() * factor), qRound(design.height() * factor));
    const QRect whole(
        QPoint((client.width() - size.width()) / 2, (client.height() - size.height()) / 2), size);
    if (!panelShown) {
        stage.area = whole;
        return stage;
    }
    const int panelTop =
        whole.top() + qRound(stage.zoom.pixels(kDesignTwips.height() - MainWindow::kPanelHeight));
    stage.area = QRect(whole.topLeft(), QPoint(whole.right(), panelTop - 1));
    stage.panel = QRect(QPoint(whole.left(), panelTop), whole.bottomRight());
    return stage;
}

QSize Stage::smallestClient() {
    return {qCeil(Zoom::kDesign.width() * Zoom::kSmallest),
            qCeil(Zoom::kDesign.height() * Zoom::kSmallest)};
}

double Stage::areaHeightTwips() const {
    return kDesignTwips.height() - (panel.isEmpty() ? 0 : MainWindow::kPanelHeight);
}
