#include "server/game_process.h"

#include "server/sandbox.h"

#include <QDir>
#include <QJsonDocument>

GameProcess::GameProcess(const QString& program, const QStringList& arguments,
                         const QString& writable, std::function<void(const QByteArray&)> line,
                         std::function<void(bool)> finished)
    : line_(std::move(line)), finished_(std::move(finished)) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { readLines(); });
    QObject::connect(&process_, &QProcess::finished, [this](int code, QProcess::ExitStatus status) {
        finished_(tooLong_ || code != 0 || status == QProcess::CrashExit);
    });
    QObject::connect(&process_, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finished_(true);
    });
    QString folder = writable;
    if (folder.isEmpty()) {
        scratch_.emplace(QDir::tempPath() + QStringLiteral("/vexmoor-game-XXXXXX"));
        folder = scratch_->path();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), folder);
        process_.setProcessEnvironment(environment);
    }
    // The child takes on the rules as it starts; none are kept after.
    const sandbox::Rules rules(folder);
    process_.setChildProcessModifier([&rules] { rules.enforce(); });
    process_.start(program, arguments);
    process_.setChildProcessModifier({});
}

GameProcess::~GameProcess() {
    process_.disconnect();
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

void GameProcess::send(const QJsonObject& message) {
    if (process_.state() != QProcess::NotRunning)
        process_.write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n');
}

void GameProcess::kill() {
    process_.kill();
}

void GameProcess::readLines() {
    const qsizetype scanned = pending_.size();
    pending_ += process_.readAllStandardOutput();
    qsizetype start = 0;
    for (qsizetype end = pending_.indexOf('\n', scanned); end >= 0 && !tooLong_;
         end = pending_.indexOf('\n', start)) {
        const QByteArray line = pending_.mid(start, end - start);
        start = end + 1;
        if (line.size() > kLineLimit)
            tooLong_ = true;
        else
            line_(line);
    }
    pending_.remove(0, start);
    if (pending_.size() > kLineLimit)
        tooLong_ = true;
    if (tooLong_) {
        pending_.clear();
        process_.kill();
    }
}
