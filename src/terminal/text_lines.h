#pragma once

#include <QStringList>

// A text's lines, whichever line ends it was written with.
QStringList textLines(const QString& text);
// Each line broken at spaces into lines of at most `width` characters (mid-word where a word is
// longer; a width below one counts as one).
QStringList wrapped(const QStringList& lines, int width);
