#include "desktop/accessible_node.h"

#include <QAccessibleValueChangeEvent>
#include <algorithm>

namespace {

// A countdown's news: the time rose, or fell to one of these.
constexpr double kTimeToTell[] = {30, 10, 0};

bool worthTelling(const Reading& before, const Reading& after) {
    if (!after.countdown || !before.value || *after.value > *before.value)
        return true;
    return std::ranges::any_of(
        kTimeToTell, [&](double time) { return *before.value > time && *after.value <= time; });
}

} // namespace

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

void AccessibleNodes::update(std::vector<Reading> readings, bool tell) {
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
            kept.back().node->take(std::move(reading), tell);
            continue;
        }
        auto* node = new AccessibleNode(parent_, *view_, std::move(reading));
        kept.push_back({node, QAccessible::registerAccessibleInterface(node)});
        made.push_back(node);
    }
    std::swap(nodes_, kept);
    for (const Entry& gone : kept) {
        if (tell)
            ::tell(*gone.node, QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(gone.id);
    }
    if (!tell)
        return;
    for (AccessibleNode* node : made) {
        ::tell(*node, QAccessible::ObjectCreated);
        if (node->role() == QAccessible::Notification && !node->reading().name.isEmpty())
            ::tell(*node, QAccessible::ObjectShow);
    }
}

AccessibleNode::AccessibleNode(QAccessibleInterface& parent, QWidget& view, Reading reading)
    : parent_(parent), children_(*this, view) {
    take(std::move(reading), false);
}

void AccessibleNode::take(Reading reading, bool tell) {
    std::vector<Reading> children = std::move(reading.children);
    reading.children.clear();
    const Reading before = std::exchange(reading_, std::move(reading));
    if (tell && reading_.name != before.name) {
        ::tell(*this, QAccessible::NameChanged);
        if (reading_.role == QAccessible::Notification)
            ::tell(*this,
                   reading_.name.isEmpty() ? QAccessible::ObjectHide : QAccessible::ObjectShow);
    }
    if (tell && reading_.value && reading_.value != before.value &&
        worthTelling(before, reading_)) {
        QAccessibleValueChangeEvent changed(this, *reading_.value);
        QAccessible::updateAccessibility(&changed);
    }
    children_.update(std::move(children), tell);
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
    // A notification shows while it has something to say.
    state.invisible = reading_.role == QAccessible::Notification && reading_.name.isEmpty();
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
