#include "terminal/scene_picture.h"

#include "shell/game.h"
#include "terminal/text_lines.h"
#include "ui/control.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr ui::Colour kFrame = 0xC0C0C0;
constexpr ui::Colour kCaptionText = 0xFFFFFF;
constexpr ui::Colour kActiveCaption = 0x800000; // navy
constexpr ui::Colour kInactiveCaption = 0x808080;
constexpr ui::Colour kHeart = 0x0000FF;

bool overlaps(const ui::Rect& a, const ui::Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

Cells offset(Cells cells, const Cells& by) {
    cells.column += by.column;
    cells.row += by.row;
    return cells;
}

// The text's lines, each wrapped at spaces to the width when one is given.
QStringList linesOf(const QString& text, int width) {
    QStringList lines = textLines(text);
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return width > 0 ? wrapped(lines, width) : lines;
}

} // namespace

void ScenePicture::paint(Picture& picture) {
    placed_.clear();
    MainWindow& main = game_.mainWindow();
    const Cells screen{0, 0, picture.columns(), picture.rows()};
    picture.setClip(screen);
    picture.fill(screen, main.backColour());
    const int panel = main.statusPanel.visible() ? map_.panelRows() : 0;
    const Cells area{0, 0, screen.columns, screen.rows - panel};
    for (ui::Window* window : game_.scene().windows())
        placed_.push_back({window, map_.cellsOf(window->rect()).intersected(area),
                           paintWindow(picture, *window, area)});
    if (panel == 0)
        return;
    const Cells bottom{0, area.rows, screen.columns, panel};
    picture.setClip(bottom);
    for (const ui::Control* control : main.controls())
        paintControl(picture, *control, main, bottom);
    placed_.push_back({&main, bottom, bottom});
}

Cells ScenePicture::paintWindow(Picture& picture, const ui::Window& window, const Cells& area) {
    const Cells box = map_.cellsOf(window.rect());
    picture.setClip(area);
    picture.fill(box, window.backColour());
    Cells client = box;
    if (window.titleBar()) {
        const bool active = window.enabled() && &window == game_.scene().active();
        picture.fill({box.column, box.row, box.columns, 1},
                     active ? kActiveCaption : kInactiveCaption);
        picture.write(box.column + 1, box.row, window.caption(), kCaptionText);
        for (int row = box.row + 1; row < box.bottom(); ++row) {
            picture.put(box.column, row, U'│', kFrame);
            picture.put(box.right() - 1, row, U'│', kFrame);
        }
        for (int column = box.column; column < box.right(); ++column)
            picture.put(column, box.bottom() - 1, U'─', kFrame);
        picture.put(box.column, box.bottom() - 1, U'└', kFrame);
        picture.put(box.right() - 1, box.bottom() - 1, U'┘', kFrame);
        client = {box.column + 1, box.row + 1, box.columns - 2, box.rows - 2};
    }
    picture.setClip(client.intersected(area));
    for (const ui::Control* control : window.controls())
        paintControl(picture, *control, window, client);
    return client;
}

void ScenePicture::paintControl(Picture& picture, const ui::Control& control,
                                const ui::Window& window, const Cells& client) const {
    using Kind = ui::Control::Kind;
    const auto area = control.drawnArea();
    if (!area)
        return;
    const Cells cells = offset(map_.cellsOf(*area), client);
    switch (control.kind()) {
    case Kind::Board:
        picture.fill(cells, static_cast<const ui::Board&>(control).backColour());
        break;
    case Kind::Label: {
        const auto& label = static_cast<const ui::Label&>(control);
        const ui::LabelLook& look = label.look();
        // An empty label of the window's own colour shows nothing.
        if (look.opaque && !(label.text().isEmpty() && look.backColour == window.backColour()))
            picture.fill(cells, look.backColour);
        paintText(picture, label.text(), look, *area, client);
        break;
    }
    case Kind::TextBlock: {
        const auto& block = static_cast<const ui::TextBlock&>(control);
        if (block.look().opaque)
            picture.fill(cells, block.look().backColour);
        paintText(picture, block.text(), block.look(), *area, client);
        break;
    }
    case Kind::Line: {
        // Where rounding brings a line onto a text, the text shows.
        const auto& line = static_cast<const ui::Line&>(control);
        const bool upright = line.width() == 0;
        for (int row = cells.row; row < cells.bottom(); ++row)
            for (int column = cells.column; column < cells.right(); ++column)
                picture.putUnder(column, row, upright ? U'│' : U'─', line.colour());
        break;
    }
    case Kind::Picture:
        picture.put(cells.column + cells.columns / 2, cells.row + cells.rows / 2, U'♥', kHeart);
        break;
    case Kind::HiddenField:
        break;
    }
}

void ScenePicture::paintText(Picture& picture, const QString& text, const ui::LabelLook& look,
                             const ui::Rect& area, const Cells& client) const {
    const Cells cells = map_.cellsOf(area);
    // A text of several rows wraps within its width; one of a single row runs on to the window's
    // edge, so a long number shows whole.
    const bool wraps = look.align == ui::Align::Left && cells.rows > 1;
    QStringList lines = linesOf(text, wraps ? cells.columns : 0);
    const int first = client.row + map_.rowOf(area);
    // Where the rows run short, the empty lines between groups go first.
    if (lines.size() > picture.clip().bottom() - first)
        lines.removeAll(QString());
    for (int i = 0; i < lines.size(); ++i) {
        const int column = look.align == ui::Align::Left
                               ? cells.column
                               : map_.centredColumn(area, static_cast<int>(lines[i].size()));
        picture.write(client.column + column, first + i, lines[i], look.foreColour);
    }
}

ScenePicture::Hit ScenePicture::hitAt(int column, int row) const {
    for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
        if (!it->box.contains(column, row))
            continue;
        if (!it->client.contains(column, row))
            return {it->window, nullptr};
        const ui::Rect cell = map_.rectOf(column - it->client.column, row - it->client.row);
        return {it->window, labelAt(*it->window, cell)};
    }
    return {};
}

ui::Label* ScenePicture::labelAt(const ui::Window& window, const ui::Rect& cell) const {
    const std::vector<ui::Control*>& controls = window.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const ui::Control::Kind kind = (*it)->kind();
        if (kind != ui::Control::Kind::Label && kind != ui::Control::Kind::Board)
            continue;
        const auto area = (*it)->drawnArea();
        if (!area || !overlaps(*area, cell))
            continue;
        // A board hides what lies below it: a click on it is on none of those labels.
        return kind == ui::Control::Kind::Label ? static_cast<ui::Label*>(*it) : nullptr;
    }
    return nullptr;
}
