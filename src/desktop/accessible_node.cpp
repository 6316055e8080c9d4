#include "desktop/accessible_node.h"

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

void AccessibleNodes::update(std::vector<Reading> readings, Announcement* news) {
    if (!view_)
        return;
    std::vector<Entry> kept;
    std::vector<AccessibleNode*> made;
    for (Reading& reading : readings) {
        const auto found = std::ranges::find_if(
            nodes_, [&](const Entry& entry) { return entry.node->reading().key == reading.key; });
        if (found != nodes_.end()) {
            kept.push_back(*found);
            nodes_.erase(found);
            kept.back().node->take(std::move(reading), news);
            continue;
        }
        auto* node = new AccessibleNode(parent_, *view_, std::move(reading));
        kept.push_back({node, QAccessible::registerAccessibleInterface(node)});
        made.push_back(node);
    }
    std::swap(nodes_, kept);
    for (const Entry& gone : kept) {
        if (news)
            tell(*gone.node, QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(gone.id);
    }
    if (!news)
        return;
    for (AccessibleNode* node : made) {
        tell(*node, QAccessible::ObjectCreated);
        if (node->reading().message)
            news->add(node->reading().name);
    }
}

AccessibleNode::AccessibleNode(QAccessibleInterface& parent, QWidget& view, Reading reading)
    : parent_(parent), children_(*this, view) {
    take(std::move(reading), nullptr);
}

void AccessibleNode::take(Reading reading, Announcement* news) {
    std::vector<Reading> children = std::move(reading.children);
    reading.children.clear();
    const Reading before = std::exchange(reading_, std::move(reading));
    if (news && reading_.name != before.name) {
        tell(*this, QAccessible::NameChanged);
        if (reading_.message)
            news->add(reading_.name);
    }
    if (news && reading_.value &&
        news->valueChanged(reading_.name, before.value, *reading_.value, reading_.countdown)) {
        QAccessibleValueChangeEvent changed(this, *reading_.value);
        QAccessible::updateAccessibility(&changed);
    }
    children_.update(std::move(children), news);
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
    const QRect local = reading_.rect.toAlignedRect();
    return {view->mapToGlobal(local.topLeft()), local.size()};
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
