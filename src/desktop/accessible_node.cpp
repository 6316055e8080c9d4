#include "desktop/accessible_node.h"

#include "desktop/accessible_reading.h"

#include <QAccessibleValueChangeEvent>
#include <algorithm>

void tell(QAccessibleInterface& about, QAccessible::Event event) {
    QAccessibleEvent news(&about, event);
    QAccessible::updateAccessibility(&news);
}

AccessibleNodes::~AccessibleNodes() {
    for (const Entry& entry : nodes_)
        QAccessible::deleteAccessibleInterface(entry.id);
}

QAccessibleInterface* AccessibleNodes::at(int index) const {
    return index >= 0 && index < count() ? nodes_[static_cast<size_t>(index)].node : nullptr;
}

int AccessibleNodes::indexOf(const QAccessibleInterface* node) const {
    const auto found = std::ranges::find(nodes_, node, &Entry::node);
    return found != nodes_.end() ? static_cast<int>(found - nodes_.begin()) : -1;
}

void AccessibleNodes::update(const std::vector<Reading>& readings, bool tellChanges) {
    if (!view_)
        return;
    std::vector<Entry> kept;
    std::vector<AccessibleNode*> made;
    for (const Reading& reading : readings) {
        const auto found = std::ranges::find_if(
            nodes_, [&](const Entry& entry) { return entry.node->reading().sameThing(reading); });
        if (found != nodes_.end()) {
            kept.push_back(*found);
            nodes_.erase(found);
            kept.back().node->take(reading, tellChanges);
            continue;
        }
        auto* node = new AccessibleNode(parent_, *view_, reading);
        kept.push_back({node, QAccessible::registerAccessibleInterface(node)});
        made.push_back(node);
    }
    std::swap(nodes_, kept);
    for (const Entry& gone : kept) {
        if (tellChanges)
            tell(*gone.node, QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(gone.id);
    }
    if (tellChanges)
        for (AccessibleNode* node : made)
            tell(*node, QAccessible::ObjectCreated);
}

AccessibleNode::AccessibleNode(QAccessibleInterface& parent, WindowView& view,
                               const Reading& reading)
    : parent_(parent), children_(*this, view) {
    take(reading, false);
}

void AccessibleNode::take(const Reading& reading, bool tellChanges) {
    const Reading before = std::exchange(reading_, reading);
    reading_.children.clear();
    if (WindowView* view = children_.view())
        rect_ = placeOf(*view, reading_);
    if (tellChanges && reading_.name != before.name)
        tell(*this, QAccessible::NameChanged);
    if (tellChanges && reading_.value &&
        Announcement::worthTelling(before.value, *reading_.value, reading_.countdown)) {
        QAccessibleValueChangeEvent changed(this, *reading_.value);
        QAccessible::updateAccessibility(&changed);
    }
    children_.update(reading.children, tellChanges);
}

bool AccessibleNode::isValid() const {
    return children_.view() != nullptr;
}

QAccessibleInterface* AccessibleNode::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* node = child(i); node->rect().contains(x, y))
            return node;
    return nullptr;
}

QString AccessibleNode::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return reading_.name;
    case QAccessible::Value:
        return reading_.value ? QString::number(*reading_.value) : QString();
    default:
        return {};
    }
}

QRect AccessibleNode::rect() const {
    QWidget* view = children_.view();
    if (!view)
        return {};
    const QRect local = rect_.toAlignedRect();
    return {view->mapToGlobal(local.topLeft()), local.size()};
}

QAccessible::Role AccessibleNode::role() const {
    return roleOf(reading_.role);
}

QAccessible::State AccessibleNode::state() const {
    QAccessible::State state;
    state.readOnly = true;
    // A message shows while it has something to say.
    state.invisible = reading_.message && reading_.name.isEmpty();
    return state;
}

void* AccessibleNode::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface && reading_.value)
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QVariant AccessibleNode::currentValue() const {
    return reading_.value ? QVariant(*reading_.value) : QVariant();
}
