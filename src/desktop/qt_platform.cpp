#include "desktop/qt_platform.h"

#include "desktop/clock_driver.h"
#include "desktop/desktop_window.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kMsPerDay = 24 * 60 * 60 * 1000;
// The local offset from UTC is taken again after this long, for a change to or from summer time.
constexpr qint64 kOffsetLifetimeMs = 60 * 60 * 1000;

} // namespace

QtPlatform::QtPlatform() {
    reseedFromTime();
}

qint64 QtPlatform::millisecondOfDay() const {
    // The system clock reads without touching a file; the offset needs the time zone's file.
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    if (!offsetTakenAt_ || utc < *offsetTakenAt_ || utc - *offsetTakenAt_ >= kOffsetLifetimeMs) {
        offsetMs_ = QDateTime::currentDateTime().offsetFromUtc() * qint64{1000};
        offsetTakenAt_ = utc;
    }
    return ((utc + offsetMs_) % kMsPerDay + kMsPerDay) % kMsPerDay;
}

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

QString QtPlatform::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

bool QtPlatform::hasHome() {
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) && QDir(home) != QDir::root() && QFileInfo(home).isDir();
}

QString QtPlatform::dataFolder() const {
    if (!hasHome())
        return {};
    // ~/.local/share/Vexmoor, whatever organization name the application carries.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Vexmoor"));
}

double QtPlatform::timeOfDay() const {
    return millisecondOfDay() / 1000.0;
}
