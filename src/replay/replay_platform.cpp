#include "replay/replay_platform.h"

namespace {

bool isAnswer(const QString& kind) {
    for (const char* answer : {"input", "load", "screen-width", "screen-height", "reseed", "exit"})
        if (kind == QLatin1String(answer))
            return true;
    return false;
}

} // namespace

ReplayPlatform::ReplayPlatform(const recording::Recording& recording)
    : endLine_(recording.endLine), ended_(recording.ended) {
    setProgramSeed(recording.gameSeed);
    setGameSeed(recording.gameSeed);
    restoreRandom(recording.seed, recording.draws);
    for (const recording::Event& event : recording.events)
        if (isAnswer(event.kind))
            answers_.push_back(event);
}

std::optional<recording::Event> ReplayPlatform::take(const QString& kind) const {
    if (fault_ || (answers_.empty() && !ended_))
        return std::nullopt;
    if (answers_.empty()) {
        fault_ = QStringLiteral("line %1: the game asks for \"%2\" past the recording's answers")
                     .arg(endLine_)
                     .arg(kind);
        return std::nullopt;
    }
    if (answers_.front().kind != kind) {
        fault_ = QStringLiteral("line %1: the game asks for \"%2\" here")
                     .arg(answers_.front().line)
                     .arg(kind);
        return std::nullopt;
    }
    recording::Event answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ReplayPlatform::finish() {
    if (!fault_ && !answers_.empty())
        fault_ = QStringLiteral("line %1: the game never asked for this \"%2\"")
                     .arg(answers_.front().line)
                     .arg(answers_.front().kind);
}

QString ReplayPlatform::inputBox(const QString&, const QString&, const QString&) {
    const auto answer = take(QStringLiteral("input"));
    return answer ? answer->args[0] : QString();
}

void ReplayPlatform::exitNow() {
    take(QStringLiteral("exit"));
}

double ReplayPlatform::screenWidth() const {
    const auto answer = take(QStringLiteral("screen-width"));
    return answer ? answer->args[0].toDouble() : 0;
}

double ReplayPlatform::screenHeight() const {
    const auto answer = take(QStringLiteral("screen-height"));
    return answer ? answer->args[0].toDouble() : 0;
}

void ReplayPlatform::reseedFor(ui::Reseed kind) {
    // The game's seed counts the reseed as in the recorded game; the seed taken is the recorded.
    Platform::reseedFor(kind);
    if (const auto answer = take(QStringLiteral("reseed")))
        reseed(answer->args[0].toUInt());
}
