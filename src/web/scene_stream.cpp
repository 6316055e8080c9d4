#include "web/scene_stream.h"

#include "shell/game.h"

#include <QFileInfo>
#include <QJsonArray>
#include <algorithm>

namespace {

// "#rrggbb", in lower case.
QString colour(ui::Colour c) {
    static constexpr char digits[] = "0123456789abcdef";
    char text[7] = {'#'};
    int at = 1;
    for (const int part : {ui::red(c), ui::green(c), ui::blue(c)}) {
        text[at++] = digits[part >> 4];
        text[at++] = digits[part & 0xF];
    }
    return QString::fromLatin1(text, 7);
}

QJsonArray rectOf(const ui::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

const char* kindOf(ui::Control::Kind kind) {
    switch (kind) {
    case ui::Control::Kind::Label:
        return "label";
    case ui::Control::Kind::Board:
        return "board";
    case ui::Control::Kind::Line:
        return "line";
    case ui::Control::Kind::TextBlock:
        return "text";
    case ui::Control::Kind::Picture:
        return "picture";
    case ui::Control::Kind::HiddenField:
        break;
    }
    return "hidden";
}

void addLook(QJsonObject& form, const QString& text, const ui::LabelLook& look) {
    form[QLatin1String("text")] = text;
    form[QLatin1String("fore")] = colour(look.foreColour);
    form[QLatin1String("back")] = colour(look.backColour);
    form[QLatin1String("opaque")] = look.opaque;
    form[QLatin1String("font")] = QJsonArray{look.font.family, look.font.points, look.font.weight};
    form[QLatin1String("align")] =
        look.align == ui::Align::Center ? QStringLiteral("center") : QStringLiteral("left");
    form[QLatin1String("border")] = look.border;
    form[QLatin1String("hand")] = look.handCursor;
    form[QLatin1String("tooltip")] = look.tooltip;
}

// Where the window changed since it was last sent, as one rectangle around it all.
std::optional<ui::Rect> changedBounds(const ui::Window& window) {
    const std::vector<ui::Rect>& areas = window.changedAreas();
    if (areas.empty())
        return std::nullopt;
    double left = areas[0].left, top = areas[0].top;
    double right = left + areas[0].width, bottom = top + areas[0].height;
    for (const ui::Rect& area : areas) {
        left = std::min(left, area.left);
        top = std::min(top, area.top);
        right = std::max(right, area.left + area.width);
        bottom = std::max(bottom, area.top + area.height);
    }
    return ui::Rect{left, top, right - left, bottom - top};
}

// Edges touching count: a line covers no area.
bool meet(const ui::Rect& a, const ui::Rect& b) {
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height &&
           b.top <= a.top + a.height;
}

// Whether a change may have reached the control. One that is not drawn is always looked at, as
// its changes mark no area.
bool mayHaveChanged(const ui::Control& control, const ui::Window& window,
                    const std::optional<ui::Rect>& bounds) {
    const std::optional<ui::Rect> drawn = control.drawnArea();
    if (!drawn)
        return true;
    if (!bounds || !meet(*drawn, *bounds))
        return false;
    return std::ranges::any_of(window.changedAreas(),
                               [&](const ui::Rect& area) { return meet(*drawn, area); });
}

} // namespace

SceneStream::SceneStream(Game& game, double areaWidth, double areaHeight)
    : game_(game), areaWidth_(areaWidth), areaHeight_(areaHeight) {}

QJsonObject SceneStream::full() {
    QJsonObject scene = pass(true);
    scene[QLatin1String("full")] = true;
    scene[QLatin1String("area")] = QJsonArray{areaWidth_, areaHeight_};
    return scene;
}

std::optional<QJsonObject> SceneStream::changes() {
    const QStringList before = order_;
    QJsonObject scene = pass(false);
    if (scene[QLatin1String("windows")].toObject().isEmpty() &&
        !scene.contains(QLatin1String("closed")) && order_ == before)
        return std::nullopt;
    return scene;
}

ui::Window* SceneStream::window(const QString& id) const {
    // Only the windows open now: one sent may be gone since.
    std::vector<ui::Window*> open = game_.scene().windows();
    open.push_back(&game_.mainWindow());
    for (ui::Window* window : open)
        if (const auto sent = windows_.find(window);
            sent != windows_.end() && sent->second.id == id && sent->second.type == typeid(*window))
            return window;
    return nullptr;
}

QJsonObject SceneStream::pass(bool whole) {
    ++pass_;
    std::vector<ui::Window*> open = game_.scene().windows();
    open.insert(open.begin(), &game_.mainWindow());
    QJsonArray closed;
    QStringList order;
    QJsonObject windows;
    for (ui::Window* window : open) {
        auto sent = windows_.find(window);
        // A window freed and another made in its place is another window.
        if (sent != windows_.end() && sent->second.type != std::type_index(typeid(*window))) {
            closed.append(sent->second.id);
            windows_.erase(sent);
            sent = windows_.end();
        }
        if (sent == windows_.end()) {
            const QString id = window == &game_.mainWindow()
                                   ? QStringLiteral("m")
                                   : QStringLiteral("w%1").arg(nextWindow_++);
            sent = windows_.emplace(window, SentWindow{id, typeid(*window), {}, {}, 0}).first;
        }
        SentWindow& shown = sent->second;
        shown.pass = pass_;
        order.append(shown.id);
        const QJsonObject part = passWindow(*window, shown, whole);
        if (!part.isEmpty())
            windows[shown.id] = part;
    }
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second.pass == pass_) {
            ++it;
            continue;
        }
        closed.append(it->second.id);
        it = windows_.erase(it);
    }
    order_ = order;
    QJsonObject scene{{QLatin1String("t"), QStringLiteral("scene")},
                      {QLatin1String("order"), QJsonArray::fromStringList(order)},
                      {QLatin1String("windows"), windows}};
    if (!whole && !closed.isEmpty())
        scene[QLatin1String("closed")] = closed;
    return scene;
}

QJsonObject SceneStream::passWindow(ui::Window& window, SentWindow& sent, bool whole) {
    const WindowForm form = formOf(window);
    const std::optional<ui::Rect> bounds = changedBounds(window);
    QJsonObject controls;
    for (const ui::Control* control : window.controls()) {
        if (control->kind() == ui::Control::Kind::HiddenField)
            continue;
        Sent& shown = sentControl(sent, *control);
        shown.pass = pass_;
        // The whole scene is read afresh: it is what the changes must add up to.
        if (whole || !shown.form || mayHaveChanged(*control, window, bounds)) {
            ControlForm now = formOf(*control, sent);
            if (whole || now != shown.form)
                controls[shown.id] = now.toJson();
            shown.form = std::move(now);
        }
    }
    QJsonArray removed;
    for (auto it = sent.controls.begin(); it != sent.controls.end();) {
        if (it->second.pass == pass_) {
            ++it;
            continue;
        }
        removed.append(it->second.id);
        it = sent.controls.erase(it);
    }
    window.clearDirty();
    const bool changed = form != sent.form;
    sent.form = form;
    if (!whole && !changed && controls.isEmpty() && removed.isEmpty())
        return {};
    QJsonObject part = form.toJson();
    part[QLatin1String("controls")] = controls;
    if (!whole && !removed.isEmpty())
        part[QLatin1String("removed")] = removed;
    return part;
}

SceneStream::Sent& SceneStream::sentControl(SentWindow& window, const ui::Control& control) {
    auto sent = window.controls.find(&control);
    if (sent == window.controls.end())
        sent = window.controls
                   .emplace(&control, Sent{QStringLiteral("c%1").arg(nextControl_++), {}, 0})
                   .first;
    return sent->second;
}

SceneStream::WindowForm SceneStream::formOf(const ui::Window& window) const {
    const bool main = &window == &game_.mainWindow();
    return {window.caption(), main ? ui::Rect{0, 0, areaWidth_, areaHeight_} : window.rect(),
            window.backColour(), !main && window.titleBar(), window.enabled()};
}

QJsonObject SceneStream::WindowForm::toJson() const {
    return {{QLatin1String("caption"), caption},
            {QLatin1String("rect"), rectOf(rect)},
            {QLatin1String("back"), colour(back)},
            {QLatin1String("titleBar"), titleBar},
            {QLatin1String("enabled"), enabled}};
}

SceneStream::ControlForm SceneStream::formOf(const ui::Control& control, SentWindow& window) {
    ControlForm form;
    form.kind = control.kind();
    form.depth = control.depth();
    form.rect = control.rect();
    form.visible = control.visible();
    if (const ui::Board* board = control.parentBoard())
        form.parent = sentControl(window, *board).id;
    switch (control.kind()) {
    case ui::Control::Kind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        form.text = label.text();
        form.look = label.look();
        break;
    }
    case ui::Control::Kind::TextBlock: {
        const auto& text = static_cast<const ui::TextBlock&>(control);
        form.text = text.text();
        form.look = text.look();
        break;
    }
    case ui::Control::Kind::Board:
        form.paint = static_cast<const ui::Board&>(control).backColour();
        break;
    case ui::Control::Kind::Line:
        form.paint = static_cast<const ui::Line&>(control).colour();
        break;
    case ui::Control::Kind::Picture:
        form.src = QFileInfo(static_cast<const ui::Picture&>(control).resource()).fileName();
        break;
    case ui::Control::Kind::HiddenField:
        break;
    }
    return form;
}

QJsonObject SceneStream::ControlForm::toJson() const {
    QJsonObject form{{QLatin1String("k"), QLatin1String(kindOf(kind))},
                     {QLatin1String("z"), QJsonArray{static_cast<double>(depth.place), depth.rank}},
                     {QLatin1String("rect"), rectOf(rect)},
                     {QLatin1String("visible"), visible}};
    if (!parent.isEmpty())
        form[QLatin1String("parent")] = parent;
    switch (kind) {
    case ui::Control::Kind::Label:
    case ui::Control::Kind::TextBlock:
        addLook(form, text, look);
        break;
    case ui::Control::Kind::Board:
        form[QLatin1String("back")] = colour(paint);
        break;
    case ui::Control::Kind::Line:
        form[QLatin1String("colour")] = colour(paint);
        break;
    case ui::Control::Kind::Picture:
        form[QLatin1String("src")] = src;
        break;
    case ui::Control::Kind::HiddenField:
        break;
    }
    return form;
}
