#include "replay/recorder.h"

#include "replay/recording_platform.h"
#include "replay/scene_state.h"
#include "save/save_file.h"
#include "save/save_place.h"
#include "shell/game.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

QString number(double value) {
    QByteArray text;
    return QString::fromLatin1(recording::appendNumber(text, value));
}

} // namespace

Recorder::Recorder(Game& game, RecordingPlatform& platform, QString folder)
    : game_(game), platform_(platform), folder_(std::move(folder)) {
    platform.note = [this](const QString& kind, const QStringList& args) { add(kind, args); };
    game_.setWatcher(this);
    failed_ = folder_.isEmpty() || !QDir().mkpath(folder_);
    if (!failed_)
        recordings::setAsideUnfinished(folder_);
    begin(recording::headerLines(game_.clock().now(), platform_.seed(), platform_.randomOutputs(),
                                 platform_.gameSeed()));
}

Recorder::~Recorder() {
    finish();
    game_.setWatcher(nullptr);
    platform_.note = nullptr;
}

bool Recorder::begin(const QByteArray& header) {
    failed_ = failed_ || !journal_.open(folder_, header);
    return !failed_;
}

void Recorder::append(const QByteArray& bytes) {
    if (!failed_ && !journal_.append(bytes)) {
        failed_ = true;
        journal_.close();
    }
}

void Recorder::end() {
    append(recording::endLine(game_.clock().now(), recording::endStateOf(game_.mainWindow())));
    journal_.close();
    recordings::prune(folder_);
}

void Recorder::finish() {
    if (!journal_.isOpen())
        return;
    end();
    // A program that ends before its first game has recorded none.
    if (!gameBegun_)
        QFile::remove(journal_.path());
}

QByteArray Recorder::sofar() const {
    return journal_.readFrom(0) +
           recording::endLine(game_.clock().now(), recording::endStateOf(game_.mainWindow()));
}

recording::Recording Recorder::current() const {
    const auto parsed = recording::parse(sofar());
    const auto* made = std::get_if<recording::Recording>(&parsed);
    return made ? *made : recording::Recording{};
}

bool Recorder::write(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(sofar());
    return file.commit();
}

void Recorder::add(const QString& kind, const QStringList& args) {
    append(recording::eventLine({game_.clock().now(), kind, args}));
}

bool Recorder::input(const QString& kind, const QStringList& args) {
    // Said once, at the first input after recording stopped.
    if (failed_ && !told_) {
        told_ = true;
        platform_.inner().messageBox(
            QStringLiteral("Games are not being recorded: the folder %1 cannot be written.")
                .arg(QDir::toNativeSeparators(folder_)));
    }
    inputAt_ = journal_.size();
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
    // The first game goes on from the program's start.
    if (!gameBegun_ || !journal_.isOpen()) {
        gameBegun_ = true;
        return;
    }
    // The game under way ends as it stood before the input that starts the next, which, with
    // what it was answered so far, opens the new game's file after the windows it finds.
    const QByteArray starting = journal_.readFrom(inputAt_);
    failed_ = failed_ || !journal_.truncate(inputAt_);
    end();
    QByteArray header = recording::headerLines(game_.clock().now(), platform_.seed(),
                                               platform_.randomOutputs(), platform_.gameSeed());
    scenestate::append(header, game_);
    if (begin(header += starting))
        inputAt_ = journal_.size() - starting.size();
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
