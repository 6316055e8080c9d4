#pragma once

#include "app/announcement.h"

#include <QAccessibleWidget>
#include <QWidget>

// The game's voice for a screen reader: a notification in the main window, hidden on screen, that
// shows each announcement to screen readers, which speak a notification as it shows.
class Announcer : public QWidget {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent);

    const QString& text() const { return text_; }
    // Says the announcement, if it has anything to say and a screen reader listens.
    void say(const Announcement& announcement);

  private:
    QString text_;
};

// The announcer as a screen reader finds it: a notification named by its announcement.
class AccessibleAnnouncer : public QAccessibleWidget {
  public:
    explicit AccessibleAnnouncer(Announcer& announcer)
        : QAccessibleWidget(&announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override;
};
