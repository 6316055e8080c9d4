#pragma once

#include "app/screen_reading.h"
#include "desktop/window_view.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QRectF>
#include <vector>

class AccessibleNode;

// The nodes under one accessible parent, in the order of their readings.
class AccessibleNodes {
  public:
    AccessibleNodes(QAccessibleInterface& parent, WindowView& view)
        : parent_(parent), view_(&view) {}
    AccessibleNodes(const AccessibleNodes&) = delete;
    AccessibleNodes& operator=(const AccessibleNodes&) = delete;
    ~AccessibleNodes();

    // Each reading to the node of the thing it reads: nodes of things gone go, new things get
    // nodes. With tellChanges, the screen reader hears of every change.
    void update(const std::vector<Reading>& readings, bool tellChanges);

    int count() const { return static_cast<int>(nodes_.size()); }
    QAccessibleInterface* at(int index) const;
    int indexOf(const QAccessibleInterface* node) const;
    WindowView* view() const { return view_; }

  private:
    // The cache owns the nodes; a node is freed by its id, which outlives it harmlessly.
    struct Entry {
        AccessibleNode* node;
        QAccessible::Id id;
    };

    QAccessibleInterface& parent_;
    QPointer<WindowView> view_;
    std::vector<Entry> nodes_;
};

// A node of the accessible tree that is no widget: its reading, where it lies in the view, and
// the nodes under it. A field's number is its value too.
class AccessibleNode : public QAccessibleInterface, public QAccessibleValueInterface {
  public:
    AccessibleNode(QAccessibleInterface& parent, WindowView& view, const Reading& reading);

    const Reading& reading() const { return reading_; }
    // The thing read anew: with tellChanges, a changed name is told to the screen reader, and a
    // changed value when it is worth telling.
    void take(const Reading& reading, bool tellChanges);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent_.window(); }
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override { return &parent_; }
    QAccessibleInterface* child(int index) const override { return children_.at(index); }
    int childCount() const override { return children_.count(); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return children_.indexOf(child);
    }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

  private:
    QAccessibleInterface& parent_;
    Reading reading_; // its children's readings are the nodes'
    QRectF rect_;     // in the view
    AccessibleNodes children_;
};

// Sends an event about an accessible object.
void tell(QAccessibleInterface& about, QAccessible::Event event);
