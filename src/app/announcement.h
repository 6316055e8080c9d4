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
    // A status field whose value changed says itself ("Gold 14"), if worth telling.
    void valueChanged(const QString& field, std::optional<double> before, double after,
                      bool countdown);
    // Whether a field's value changed in a way worth telling: the time left (a countdown) only
    // when it rises or falls to 30, 10 or 0 seconds.
    static bool worthTelling(std::optional<double> before, double after, bool countdown);

    bool isEmpty() const { return parts_.isEmpty(); }
    const QStringList& parts() const { return parts_; }
    // The parts as sentences: "Hits 19. Gold 14. Your Attack!"
    QString text() const;

  private:
    QStringList parts_;
};
