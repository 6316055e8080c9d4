#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <typeindex>
#include <unordered_map>

class Game;
namespace ui {
class Control;
class Window;
} // namespace ui

// The scene as data for the page: every window and control named by an id that lasts as long as
// it does ("m" the main window, "w1"... the others, "c1"... the controls), sent whole once, then
// as what changed since the scene before: the windows whose look changed or that came, each with
// only its controls whose form changed or that came, and the ids of what went.
class SceneStream {
  public:
    // The main window's client area, in twips.
    SceneStream(Game& game, double areaWidth, double areaHeight);

    // The whole scene, for a page that has nothing yet.
    QJsonObject full();
    // What changed since the last scene; nothing when nothing did.
    std::optional<QJsonObject> changes();
    // The open window an id names.
    ui::Window* window(const QString& id) const;

  private:
    struct Sent {
        QString id;
        QJsonObject form;
        unsigned pass = 0;
    };
    struct SentWindow {
        QString id;
        std::type_index type;
        QJsonObject form;
        std::unordered_map<const ui::Control*, Sent> controls;
        unsigned pass = 0;
    };

    // Brings what was sent up to the scene as it stands, with every window and control when
    // whole, or only the changes.
    QJsonObject pass(bool whole);
    // The window's part of the scene, or an empty object when nothing of it changed.
    QJsonObject passWindow(ui::Window& window, SentWindow& sent, bool whole);
    Sent& sentControl(SentWindow& window, const ui::Control& control);
    QJsonObject formOf(const ui::Window& window) const;
    QJsonObject formOf(const ui::Control& control, SentWindow& window);

    Game& game_;
    double areaWidth_, areaHeight_;
    std::unordered_map<ui::Window*, SentWindow> windows_;
    QJsonArray order_;
    unsigned pass_ = 0;
    int nextWindow_ = 1, nextControl_ = 1;
};
