#pragma once

#include "app/dialog_request.h"
#include "app/game_host.h"
#include "app/screen_reading.h"
#include "app/seed_title.h"
#include "web/scene_stream.h"

#include <QJsonObject>
#include <QObject>
#include <deque>
#include <functional>
#include <map>
#include <optional>

class Game;
class Outbox;
class QEventLoop;

// The game for a page in a browser, through the server: the messages of the server (keys, clicks,
// answers, the player gone or back, closing) reach the game through it, and after each it sends
// what changed: the scene, what a screen reader would say of it, the title with the game's seed
// and the status the list of games shows. The game's area is the design's main window, which the
// page scales.
class WebView : public GameHost {
  public:
    // The design's client area of the main window, in twips.
    static constexpr double kAreaWidth = 11760;
    static constexpr double kAreaHeight = 8565;

    WebView(Game& game, Outbox& out);

    // The game in the design's area, its main menu shown and sent whole.
    void start();
    // A message from the server; one that cannot be understood changes nothing.
    void take(const QJsonObject& message);
    // The whole scene, for a page that comes.
    void snapshot();
    void sync() override;
    // Ends the game asking nothing: a dialog open ends unanswered, and the program ends.
    void end();

    // Sends a dialog and waits for its answer: the typed line, an empty text for OK or Yes;
    // nothing for No, or when the game ends first.
    std::optional<QString> runDialog(const DialogRequest& dialog);
    // Asks the page to open a page of the help.
    void help(const QString& page);
    // The area the child windows live in, above the status panel while it shows.
    double areaHeight() const;

    // How the program ends once the game has; by default the event loop ends.
    std::function<void()> quit;

  private:
    void handle(const QJsonObject& message);
    void takeHeld();
    void click(const QString& windowId, double x, double y);
    void answer(const QJsonObject& message);
    void hide(bool hidden);
    void tellStatus();
    void tellTitle();
    void speak();

    Game& game_;
    Outbox& out_;
    SceneStream scene_;
    bool sent_ = false; // the first scene, sent whole
    std::map<const ui::Window*, ScreenReader> readers_;
    QJsonObject status_;
    SeedTitle seedTitle_{true, true};
    bool hidden_ = false;
    std::optional<DialogRequest> dialog_;
    std::optional<std::optional<QString>> answer_;
    QEventLoop* dialogLoop_ = nullptr;
    std::deque<QJsonObject> held_; // the messages that came after a dialog's answer
    QObject context_;              // of the held messages' turn
};
