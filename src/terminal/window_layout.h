#pragma once

#include "terminal/cell_map.h"

#include <QStringList>
#include <vector>

namespace ui {
class Control;
class Window;
} // namespace ui

// Where one control of a window goes on the cells of its client: the cells it takes (a label's
// colour fills them) and, for a text, its lines and the column each begins in.
struct Placement {
    ui::Control* control = nullptr;
    Cells box;
    QStringList lines;
    std::vector<int> columns;
};

// The window's shown controls, bottom first, on a client `columns` wide. A text breaks at spaces
// into lines within the columns it has there, a centred one centred line by line, and takes the
// rows its lines need. The texts and the dividers between them stand where their places map,
// but never on the rows of one above them: a text that needs more rows than its place maps to
// moves those it would run into down. Objects (a label no larger than a board's object) and
// everything on a board stay where they map.
//
// Where rows run short, a window fits its texts into fewer: first without the empty lines between
// a text's groups, then also without its dividers and with every text right below the one above.
enum class Fit { AsDesigned, NoEmptyLines, Tight };
std::vector<Placement> layOut(const ui::Window& window, const CellMap& map, int columns, Fit fit);

// The client columns a window's labels of one row from the left reach to, unbroken.
int columnsWanted(const ui::Window& window, const CellMap& map);

// The client rows the texts and dividers of a layout reach down to.
int rowsTaken(const std::vector<Placement>& layout);
