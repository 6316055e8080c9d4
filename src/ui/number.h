#pragma once

#include <QString>
#include <optional>

namespace ui {

class Label;
class HiddenField;

// Reads a status text as a number: blanks trimmed, decimal digits with an optional sign and
// fraction. Anything else (an empty text, letters, an exponent) is no number.
std::optional<double> readNumber(const QString& text);

// Writes a number back as its shortest decimal text, up to 15 significant digits, without an
// exponent: 105, 0, -3, 2.5.
QString numberText(double value);

// A test on a field that holds no number holds, so the steps it guards run.
template <class Test> bool holds(const QString& text, Test test) {
    const auto value = readNumber(text);
    return !value || test(*value);
}

// Adds delta to a numeric label text; a text that is no number is left as it is.
void addTo(Label& field, double delta);
// The same for a counter kept in a hidden field.
void addTo(HiddenField& field, double delta);

} // namespace ui
