#include "app/real_platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr qint64 kMsPerDay = 24 * 60 * 60 * 1000;
// The local offset from UTC is taken again after this long, for a change to or from summer time.
constexpr qint64 kOffsetLifetimeMs = 60 * 60 * 1000;

} // namespace

RealPlatform::RealPlatform() {
    setProgramSeed(std::nullopt);
}

qint64 RealPlatform::millisecondOfDay() const {
    // The system clock reads without touching a file; the offset needs the time zone's file.
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    if (!offsetTakenAt_ || utc < *offsetTakenAt_ || utc - *offsetTakenAt_ >= kOffsetLifetimeMs) {
        offsetMs_ = QDateTime::currentDateTime().offsetFromUtc() * qint64{1000};
        offsetTakenAt_ = utc;
    }
    return ((utc + offsetMs_) % kMsPerDay + kMsPerDay) % kMsPerDay;
}

QString RealPlatform::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

bool RealPlatform::hasHome() {
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) && QDir(home) != QDir::root() && QFileInfo(home).isDir();
}

QString RealPlatform::dataFolder() const {
    if (!hasHome())
        return {};
    // ~/.local/share/Vexmoor, whatever organization name the application carries.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Vexmoor"));
}

double RealPlatform::timeOfDay() const {
    return millisecondOfDay() / 1000.0;
}
