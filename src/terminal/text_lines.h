#pragma once

#include <QStringList>

// A text's lines, whichever line ends it was written with.
QStringList textLines(const QString& text);
// Each line broken at spaces into lines of at most `width` cells (mid-word where a word is longer;
// a width below one counts as one).
QStringList wrapped(const QStringList& lines, int width);

// The cells a character takes on the terminal: two for a wide one (CJK), none for one that takes
// no room of its own (a combining accent) or is no character to show.
int displayWidth(char32_t character);
// The cells a line takes.
int displayWidth(const QString& line);
