#pragma once

#include "desktop/accessible_node.h"
#include "desktop/accessible_reading.h"

#include <QAccessibleWidget>

class WindowView;

// What a screen reader finds in a view: its window's texts, the status panel's fields or the
// board's list, as accessible nodes kept current by refresh.
class AccessibleView : public QAccessibleWidget {
  public:
    explicit AccessibleView(WindowView& view);

    // Reads the window anew and tells the screen reader what changed.
    void refresh();

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* child(int index) const override { return nodes_.at(index); }
    int childCount() const override { return nodes_.count(); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return nodes_.indexOf(child);
    }

  private:
    WindowView& view() const;

    WindowReader reader_;
    AccessibleNodes nodes_;
};

// Lets screen readers into every view: each gets an AccessibleView.
void makeViewsAccessible();
// After the scene changed: the view is read anew while a screen reader listens.
void refreshAccessible(WindowView& view);
