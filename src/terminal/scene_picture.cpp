#include "terminal/scene_picture.h"

#include "shell/game.h"
#include "ui/control.h"

#include <algorithm>

namespace {

constexpr ui::Colour kFrame = 0xC0C0C0;
constexpr ui::Colour kCaptionText = 0xFFFFFF;
constexpr ui::Colour kActiveCaption = 0x800000; // navy
constexpr ui::Colour kInactiveCaption = 0x808080;
constexpr ui::Colour kHeart = 0x0000FF;

Cells offset(Cells cells, const Cells& by) {
    cells.column += by.column;
    cells.row += by.row;
    return cells;
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
        paintWindow(picture, *window, area);
    if (panel == 0)
        return;
    const Cells bottom{0, area.rows, screen.columns, panel};
    picture.setClip(bottom);
    placed_.push_back({&main, bottom, bottom, {}});
    paintControls(picture, main, layOut(main, map_.panel(), bottom.columns, Fit::AsDesigned),
                  placed_.back());
}

void ScenePicture::paintWindow(Picture& picture, ui::Window& window, const Cells& area) {
    Cells box = map_.cellsOf(window.rect());
    const int frame = window.titleBar() ? 1 : 0;
    // A window widens about its middle, up to the area, for a row of text to show unbroken.
    if (const int wider = std::min(columnsWanted(window, map_) + 2 * frame, area.columns);
        wider > box.columns) {
        box.column =
            std::clamp(box.column - (wider - box.columns) / 2, area.column, area.right() - wider);
        box.columns = wider;
    }
    const int columns = box.columns - 2 * frame;
    std::vector<Placement> layout = layOut(window, map_, columns, Fit::AsDesigned);
    for (Fit tighter : {Fit::NoEmptyLines, Fit::Tight})
        if (rowsTaken(layout) + 2 * frame > area.rows)
            layout = layOut(window, map_, columns, tighter);
    // Grown, the window stays inside the area.
    if (const int rows = std::min(area.rows, rowsTaken(layout) + 2 * frame); rows > box.rows) {
        box.rows = rows;
        box.row = std::max(area.row, std::min(box.row, area.bottom() - rows));
    }
    picture.setClip(area);
    picture.fill(box, window.backColour());
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
    }
    const Cells client{box.column + frame, box.row + frame, columns, box.rows - 2 * frame};
    placed_.push_back({&window, box.intersected(area), client, {}});
    picture.setClip(client.intersected(area));
    paintControls(picture, window, layout, placed_.back());
}

void ScenePicture::paintControls(Picture& picture, const ui::Window& window,
                                 const std::vector<Placement>& layout, Placed& placed) const {
    using Kind = ui::Control::Kind;
    for (const Placement& placement : layout) {
        const Cells cells = offset(placement.box, placed.client);
        const ui::Control& control = *placement.control;
        placed.targets.push_back({cells, placement.control});
        ui::Colour fore = 0;
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
            fore = look.foreColour;
            break;
        }
        case Kind::TextBlock: {
            const ui::LabelLook& look = static_cast<const ui::TextBlock&>(control).look();
            if (look.opaque)
                picture.fill(cells, look.backColour);
            fore = look.foreColour;
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
        for (qsizetype i = 0; i < placement.lines.size(); ++i)
            picture.write(placed.client.column + placement.columns[static_cast<std::size_t>(i)],
                          cells.row + static_cast<int>(i), placement.lines[i], fore);
    }
}

ScenePicture::Hit ScenePicture::hitAt(int column, int row) const {
    for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
        if (!it->box.contains(column, row))
            continue;
        std::vector<ui::Control*> drawn;
        if (it->client.contains(column, row))
            for (const Target& target : it->targets)
                if (target.cells.contains(column, row))
                    drawn.push_back(target.control);
        return {it->window, ui::labelOnTop(drawn)};
    }
    return {};
}
