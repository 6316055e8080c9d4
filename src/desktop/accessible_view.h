#pragma once

#include "app/screen_reading.h"
#include "desktop/accessible_node.h"

#include <QAccessibleWidget>

class WindowView;

// What a screen reader finds in a view: its window's texts, the status panel's fields or the
// board's list, as accessible nodes kept current by refresh.
class AccessibleView : public QAccessibleWidget {
  public:
    explicit AccessibleView(WindowView& view);

    // Reads the window anew, tells the screen reader what changed and adds the news, the
    // window's lines first while they are unheard and the game's window is the active one.
    void refresh(Announcement& news);
    // The window's lines of text in reading order, the first time only: a window is heard as it
    // opens. The board and the status panel have none.
    void addLines(Announcement& news);

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* child(int index) const override { return nodes_.at(index); }
    int childCount() const override { return nodes_.count(); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return nodes_.indexOf(child);
    }

  private:
    WindowView& view() const;

    // Reads the window afresh into the nodes; with news, tells the screen reader what changed.
    void update(Announcement* news);

    ScreenReader reader_;
    AccessibleNodes nodes_;
};

// Lets screen readers into every view (each gets an AccessibleView) and hear the announcer.
void makeViewsAccessible();
// Whether a screen reader listens.
bool screenReaderListens();
// After the scene changed: the view is read anew while a screen reader listens, its news added.
void refreshAccessible(WindowView& view, Announcement& news);
// The lines of a view's window, if they are still unheard.
void addAccessibleLines(WindowView& view, Announcement& news);
