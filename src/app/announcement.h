#pragma once

#include <QStringList>
#include <optional>

// What a screen reader is told after a turn, a tick of the clock or a window that opens: all that
// changed, said at once rather than as a burst of announcements that cut each other off.
class Announcement {
  public:
    // A text said as it is, once: a new message, an object near the player, a window's line.
    void add(const QString& text);
    void add(const QStringList& texts);
    // A status field whose value changed says itself ("Gold 14"); the time left only when it rises
    // or falls to 30, 10 or 0 seconds. Whether it was told.
    bool valueChanged(const QString& field, std::optional<double> before, double after,
                      bool countdown);

    bool isEmpty() const { return parts_.isEmpty(); }
    const QStringList& parts() const { return parts_; }
    // The parts as sentences: "Hits 19. Gold 14. Your Attack!"
    QString text() const;

  private:
    QStringList parts_;
};
