#include "desktop/accessible_announcer.h"

#include "desktop/accessible_view.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    // Never shown on screen: showing with the window, it would be an empty notification.
    hide();
}

void Announcer::say(const Announcement& announcement) {
    if (announcement.isEmpty() || !screenReaderListens())
        return;
    text_ = announcement.text();
    for (const QAccessible::Event event : {QAccessible::NameChanged, QAccessible::ObjectShow}) {
        QAccessibleEvent told(this, event);
        QAccessible::updateAccessibility(&told);
    }
}

QString AccessibleAnnouncer::text(QAccessible::Text t) const {
    if (t == QAccessible::Name)
        return static_cast<const Announcer*>(widget())->text();
    return QAccessibleWidget::text(t);
}
