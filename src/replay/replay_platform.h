#pragma once

#include "replay/recording.h"
#include "ui/platform.h"

#include <QTemporaryDir>
#include <deque>
#include <optional>

// The platform of a replay: it answers with what the recording says was answered, in order, shows
// no dialogs and opens nothing. The program's seed and the game's are the recording's. Its folders
// are a fresh temporary one, so a save made in the replay touches no real file. The first time the
// game asks for something else than the recording holds is kept as the fault, but for a question
// past the answers of a game whose program died: it was open when the program stopped.
class ReplayPlatform : public ui::Platform {
  public:
    explicit ReplayPlatform(const recording::Recording& recording);

    QString inputBox(const QString& prompt, const QString& title, const QString& proposed) override;
    void messageBox(const QString& /*text*/) override {}
    bool openAddress(const QString& /*url*/) override { return true; }
    void exitNow() override;
    double screenWidth() const override;
    double screenHeight() const override;
    QString programFolder() const override { return folder_.path(); }
    QString dataFolder() const override { return folder_.path(); }
    double timeOfDay() const override { return 0; }
    void reseedFor(ui::Reseed kind) override;

    // The next answer, which must be of this kind; nothing (and a fault) when it is not.
    std::optional<recording::Event> take(const QString& kind) const;
    // After the last event: an answer the game never asked for is a fault too.
    void finish();
    const std::optional<QString>& fault() const { return fault_; }

  private:
    QTemporaryDir folder_;
    mutable std::deque<recording::Event> answers_;
    mutable std::optional<QString> fault_;
    int endLine_;
    bool ended_; // the recording has its end line
};
