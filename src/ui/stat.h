#pragma once

#include "ui/control.h"
#include "ui/number.h"

#include <optional>

namespace ui {

// A number kept as the text of a label or a hidden field: the text stays the one store, the view
// reads and writes it. A text that is no number is left as it is by an add, and every test on it
// holds, so the steps it guards run.
template <class Field> class NumberIn {
  public:
    explicit NumberIn(Field& field) : field_(&field) {}

    std::optional<double> value() const { return readNumber(field_->text()); }
    void set(double value) { field_->setText(numberText(value)); }
    void add(double delta) {
        if (const auto now = value())
            set(*now + delta);
    }

    bool atLeast(double bound) const {
        return holds([bound](double v) { return v >= bound; });
    }
    bool atMost(double bound) const {
        return holds([bound](double v) { return v <= bound; });
    }
    bool above(double bound) const {
        return holds([bound](double v) { return v > bound; });
    }
    bool below(double bound) const {
        return holds([bound](double v) { return v < bound; });
    }

  private:
    template <class Test> bool holds(Test test) const {
        const auto now = value();
        return !now || test(*now);
    }

    Field* field_;
};

// A value of the status panel, or of a label whose text is a number (a monster's level).
using Stat = NumberIn<Label>;
// A number a window keeps out of sight.
using Counter = NumberIn<HiddenField>;

// A choice kept in a hidden field as the number of an enum's value: "0" for the first. Any other
// text is no choice at all.
template <class Enum, Enum kLast> class Choice {
  public:
    explicit Choice(HiddenField& field) : number_(field) {}

    std::optional<Enum> value() const {
        const auto number = number_.value();
        if (!number || *number < 0 || *number > static_cast<double>(kLast) ||
            *number != static_cast<int>(*number))
            return std::nullopt;
        return static_cast<Enum>(*number);
    }
    void set(Enum value) { number_.set(static_cast<double>(value)); }

  private:
    Counter number_;
};

} // namespace ui
