#pragma once

#include "app/screen_reading.h"

#include <QAccessible>
#include <QRectF>

class WindowView;

// A reading of the game as the desktop shows it: its role to the platform's accessibility, and
// where it lies in a view.
QAccessible::Role roleOf(Reading::Role role);
QRectF placeOf(const WindowView& view, const Reading& reading);
// The lines of a text block as the view draws them.
QStringList drawnLines(const WindowView& view, const ui::TextBlock& block);
