#include "desktop/accessible_announcer.h"

#include "desktop/accessible_view.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 0, 0);
    // Shown with its first announcement: shown with the window, it would be an empty notification.
    hide();
    QAccessible::installActivationObserver(this);
}

Announcer::~Announcer() {
    QAccessible::removeActivationObserver(this);
}

void Announcer::accessibilityActiveChanged(bool active) {
    if (active)
        emit listening();
}

void Announcer::say(const Announcement& announcement) {
    if (announcement.isEmpty() || !screenReaderListens())
        return;
    text_ = announcement.text();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    if (isHidden()) {
        show(); // which tells that it shows
        return;
    }
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QString AccessibleAnnouncer::text(QAccessible::Text t) const {
    if (t == QAccessible::Name)
        return static_cast<const Announcer*>(widget())->text();
    return QAccessibleWidget::text(t);
}
