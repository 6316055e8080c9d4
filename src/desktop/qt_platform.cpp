#include "desktop/qt_platform.h"

#include "app/clock_driver.h"
#include "desktop/desktop_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

void QtPlatform::attach(DesktopWindow& window, ClockDriver& driver) {
    window_ = &window;
    driver_ = &driver;
}

int QtPlatform::runModal(QDialog& dialog) {
    // The program is ending: the handler that asks runs to its end without a dialog.
    if (window_ && window_->stopped())
        return QDialog::Rejected;
    if (driver_)
        driver_->suspend();
    const int result = dialog.exec();
    if (driver_)
        driver_->resume();
    return result;
}

QString QtPlatform::inputBox(const QString& prompt, const QString& title, const QString& proposed) {
    QInputDialog dialog(window_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    if (runModal(dialog) != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

bool QtPlatform::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vexmoor"), question,
                    QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(QMessageBox::No);
    return runModal(box) == QMessageBox::Yes;
}

void QtPlatform::messageBox(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Vexmoor"), text, QMessageBox::Ok,
                    window_);
    runModal(box);
}

bool QtPlatform::openAddress(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

void QtPlatform::exitNow() {
    // The handler that asked still runs to its end, but nothing reaches the game after it.
    if (window_)
        window_->stop();
    QCoreApplication::exit(0);
}

double QtPlatform::screenWidth() const {
    return Stage::kDesignTwips.width();
}

double QtPlatform::screenHeight() const {
    return window_ ? window_->stage().areaHeightTwips() : Stage().areaHeightTwips();
}
