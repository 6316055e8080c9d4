#include "desktop/qt_platform.h"

#include "desktop/desktop_window.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

void QtPlatform::attach(DesktopWindow& window, ClockDriver& driver) {
    window_ = &window;
    attachClock(driver);
}

bool QtPlatform::canShowDialogs() const {
    return !(window_ && window_->stopped());
}

std::optional<QString> QtPlatform::show(const DialogRequest& dialog) {
    if (dialog.kind == DialogRequest::Kind::Prompt) {
        QInputDialog input(window_);
        input.setInputMode(QInputDialog::TextInput);
        input.setWindowTitle(dialog.title);
        input.setLabelText(dialog.text);
        input.setTextValue(dialog.proposed);
        if (input.exec() != QDialog::Accepted)
            return std::nullopt;
        return input.textValue();
    }
    const bool question = dialog.kind == DialogRequest::Kind::Question;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Information,
                    QStringLiteral("Vexmoor"), dialog.text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, window_);
    if (question)
        box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes && question)
        return std::nullopt;
    return QString();
}

bool QtPlatform::openAddress(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

void QtPlatform::stop() {
    if (window_)
        window_->stop();
}

double QtPlatform::screenWidth() const {
    return Stage::kDesignTwips.width();
}

double QtPlatform::screenHeight() const {
    return window_ ? window_->stage().areaHeightTwips() : Stage().areaHeightTwips();
}
