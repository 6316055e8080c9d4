#include "replay/recording_platform.h"

RecordingPlatform::RecordingPlatform(ui::Platform& inner, const std::optional<ui::GameSeed>& seed,
                                     bool once)
    : inner_(inner) {
    setProgramSeed(seed, once);
}

void RecordingPlatform::tell(const QString& kind, const QStringList& args) const {
    if (note)
        note(kind, args);
}

QString RecordingPlatform::inputBox(const QString& prompt, const QString& title,
                                    const QString& proposed) {
    const QString answer = inner_.inputBox(prompt, title, proposed);
    tell(QStringLiteral("input"), {answer});
    return answer;
}

void RecordingPlatform::exitNow() {
    tell(QStringLiteral("exit"), {});
    inner_.exitNow();
}

double RecordingPlatform::screenWidth() const {
    const double width = inner_.screenWidth();
    tell(QStringLiteral("screen-width"), {QString::number(width, 'g', 17)});
    return width;
}

double RecordingPlatform::screenHeight() const {
    const double height = inner_.screenHeight();
    tell(QStringLiteral("screen-height"), {QString::number(height, 'g', 17)});
    return height;
}

void RecordingPlatform::reseedFor(ui::Reseed kind) {
    Platform::reseedFor(kind);
    tell(QStringLiteral("reseed"), {QString::number(seed())});
}
