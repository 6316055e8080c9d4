#pragma once

#include "app/announcement.h"

#include <QAccessibleWidget>
#include <QWidget>

// The game's voice for a screen reader: a notification of no size in the main window that shows
// each announcement anew, as screen readers speak a notification when it shows.
class Announcer : public QWidget, public QAccessible::ActivationObserver {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent);
    ~Announcer() override;

    const QString& text() const { return text_; }
    // Says the announcement, if it has anything to say and a screen reader listens.
    void say(const Announcement& announcement);

  signals:
    // A screen reader has come to listen.
    void listening();

  private:
    void accessibilityActiveChanged(bool active) override;

    QString text_;
};

// The announcer as a screen reader finds it: a notification named by its announcement.
class AccessibleAnnouncer : public QAccessibleWidget {
  public:
    explicit AccessibleAnnouncer(Announcer& announcer)
        : QAccessibleWidget(&announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override;
};
