#include "app/screen_platform.h"

#include "app/clock_driver.h"

#include <QCoreApplication>

std::optional<QString> ScreenPlatform::run(const DialogRequest& dialog) {
    if (!canShowDialogs())
        return std::nullopt;
    if (driver_)
        driver_->suspend();
    const std::optional<QString> answer = show(dialog);
    if (driver_)
        driver_->resume();
    return answer;
}

QString ScreenPlatform::inputBox(const QString& prompt, const QString& title,
                                 const QString& proposed) {
    return run({DialogRequest::Kind::Prompt, title, prompt, proposed}).value_or(QString());
}

void ScreenPlatform::messageBox(const QString& text) {
    run({DialogRequest::Kind::Message, {}, text, {}});
}

bool ScreenPlatform::askYesNo(const QString& question) {
    return run({DialogRequest::Kind::Question, {}, question, {}}).has_value();
}

void ScreenPlatform::exitNow() {
    stop();
    QCoreApplication::exit(0);
}
