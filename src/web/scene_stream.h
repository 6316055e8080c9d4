#pragma once

#include "ui/control.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <typeindex>
#include <unordered_map>

class Game;
namespace ui {
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
    // What the page was told of a control or a window, kept as plain values so that a scene
    // that did not change costs no JSON.
    struct ControlForm {
        ui::Control::Kind kind;
        ui::Depth depth;
        ui::Rect rect;
        bool visible;
        QString parent;
        QString text;       // labels and text blocks
        ui::LabelLook look; // labels and text blocks
        ui::Colour paint{}; // a board's back, a line's colour
        QString src;        // pictures
        bool operator==(const ControlForm&) const = default;
        QJsonObject toJson() const;
    };
    struct WindowForm {
        QString caption;
        ui::Rect rect;
        ui::Colour back;
        bool titleBar;
        bool enabled;
        bool operator==(const WindowForm&) const = default;
        QJsonObject toJson() const;
    };
    struct Sent {
        QString id;
        std::optional<ControlForm> form;
        unsigned pass = 0;
    };
    struct SentWindow {
        QString id;
        std::type_index type;
        std::optional<WindowForm> form;
        std::unordered_map<const ui::Control*, Sent> controls;
        unsigned pass = 0;
    };

    // Brings what was sent up to the scene as it stands, with every window and control when
    // whole, or only the changes.
    QJsonObject pass(bool whole);
    // The window's part of the scene, or an empty object when nothing of it changed.
    QJsonObject passWindow(ui::Window& window, SentWindow& sent, bool whole);
    Sent& sentControl(SentWindow& window, const ui::Control& control);
    WindowForm formOf(const ui::Window& window) const;
    ControlForm formOf(const ui::Control& control, SentWindow& window);

    Game& game_;
    double areaWidth_, areaHeight_;
    std::unordered_map<ui::Window*, SentWindow> windows_;
    QStringList order_;
    unsigned pass_ = 0;
    int nextWindow_ = 1, nextControl_ = 1;
};
