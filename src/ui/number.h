#pragma once

#include <QString>
#include <optional>

namespace ui {

// Reads a status text as a number: blanks trimmed, decimal digits with an optional sign and
// fraction. Anything else (an empty text, letters, an exponent) is no number.
std::optional<double> readNumber(const QString& text);

// Writes a number back as its shortest decimal text, up to 15 significant digits, without an
// exponent: 105, 0, -3, 2.5.
QString numberText(double value);

} // namespace ui
