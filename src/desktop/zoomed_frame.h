#pragma once

class QMdiSubWindow;
class Zoom;

// Sizes a child window's frame, caption bar and caption text, and the narrowest it may get, to a
// zoom: at every zoom the frame takes the game's own allowance around the client area, zoomed,
// so the window's controls stand where the game placed them.
void zoomFrame(QMdiSubWindow& sub, const Zoom& zoom);
