#include "replay/recorder.h"

#include "replay/recording_platform.h"
#include "save/save_file.h"
#include "save/save_place.h"
#include "shell/game.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

QString number(double value) {
    return QString::number(value, 'g', 17);
}

} // namespace

Recorder::Recorder(Game& game, RecordingPlatform& platform, QString folder)
    : game_(game), folder_(std::move(folder)) {
    recording_.gameVersion = QStringLiteral(VEXMOOR_VERSION);
    recording_.seed = platform.seed();
    platform.note = [this](const QString& kind, const QStringList& args) { add(kind, args); };
    game_.setWatcher(this);
}

Recorder::~Recorder() {
    game_.setWatcher(nullptr);
    if (gameAt_)
        keep(current());
}

recording::Recording Recorder::current() const {
    recording::Recording now = recording_;
    now.endTime = game_.clock().now();
    now.end = recording::endStateOf(game_.mainWindow());
    return now;
}

bool Recorder::write(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(recording::write(current()));
    return file.commit();
}

void Recorder::add(const QString& kind, const QStringList& args) {
    recording_.events.push_back({game_.clock().now(), kind, args});
}

bool Recorder::input(const QString& kind, const QStringList& args) {
    inputAt_ = recording_.events.size();
    beforeInput_ = recording::endStateOf(game_.mainWindow());
    add(kind, args);
    return true;
}

int Recorder::windowIndex(const ui::Window& window) const {
    const auto windows = game_.scene().windows();
    const auto found = std::ranges::find(windows, &window);
    return found != windows.end() ? static_cast<int>(found - windows.begin()) : -1;
}

bool Recorder::starting() {
    return input(QStringLiteral("start"), {});
}

bool Recorder::keyDown(int keyCode, int charCode) {
    return input(QStringLiteral("key"), {QString::number(keyCode), QString::number(charCode)});
}

bool Recorder::click(const ui::Label& label) {
    // The label by its window, its place among the window's controls, and its place on a board.
    const ui::Window& owner = *label.owner();
    const ui::Control* top = label.parentBoard();
    if (!top)
        top = &label;
    const auto index = [](const auto& list, const ui::Control* control) {
        return QString::number(std::ranges::find(list, control) - list.begin());
    };
    return input(QStringLiteral("click"),
                 {QString::number(windowIndex(owner)), index(owner.controls(), top),
                  label.parentBoard() ? index(label.parentBoard()->children(), &label)
                                      : QStringLiteral("-1")});
}

bool Recorder::bringToFront(const ui::Window& window) {
    return input(QStringLiteral("front"), {QString::number(windowIndex(window))});
}

bool Recorder::place(const ui::Window& window, const ui::Rect& rect) {
    return input(QStringLiteral("place"),
                 {QString::number(windowIndex(window)), number(rect.left), number(rect.top),
                  number(rect.width), number(rect.height)});
}

void Recorder::gameStarting() {
    // The game under way ends as it stood before the input that starts the next.
    if (gameAt_) {
        recording::Recording finished = recording_;
        finished.events.resize(inputAt_);
        finished.endTime = recording_.events[inputAt_].time;
        finished.end = beforeInput_;
        keep(finished);
    }
    const std::int64_t time = inputAt_ < recording_.events.size() ? recording_.events[inputAt_].time
                                                                  : game_.clock().now();
    const auto at = recording_.events.begin() + static_cast<std::ptrdiff_t>(inputAt_);
    recording_.events.insert(at, {time, QStringLiteral("game"), {}});
    gameAt_ = inputAt_;
}

void Recorder::openingSavedGame() {
    // The save file as it stands, so a replay needs no save of its own.
    // Only a regular file: opening a pipe would wait for a writer.
    const QString path = savefile::loadPath(game_.platform());
    QFile file(path);
    const QByteArray bytes = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)
                                 ? file.read(savefile::kMaxFileSize + 1)
                                 : QByteArray();
    add(QStringLiteral("load"), {QString::fromLatin1(bytes)});
}

void Recorder::keep(const recording::Recording& finished) const {
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return;
    QDir folder(folder_);
    // Games kept within the same millisecond are told apart by a count, which sorts after it.
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString name;
    for (int n = 0; name.isEmpty() || folder.exists(name); ++n)
        name = QStringLiteral("game-%1-%2.txt").arg(stamp).arg(n, 2, 10, QLatin1Char('0'));
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(recording::write(finished));
    if (!file.commit())
        return;
    // The oldest go once there are more than kKept: the names sort by time.
    const QStringList kept =
        folder.entryList({QStringLiteral("game-*.txt")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (qsizetype i = kKept; i < kept.size(); ++i)
        folder.remove(kept[i]);
}
