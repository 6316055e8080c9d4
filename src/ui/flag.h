#pragma once

#include "ui/control.h"

namespace ui {

// A flag kept as the text of a hidden field: "1" when set, empty when clear. Any text at all reads
// as set (HiddenField::isSet).
class Flag {
  public:
    explicit Flag(HiddenField& field) : field_(&field) {}

    void set() { field_->setText(QStringLiteral("1")); }
    void clear() { field_->setText({}); }

  private:
    HiddenField* field_;
};

} // namespace ui
