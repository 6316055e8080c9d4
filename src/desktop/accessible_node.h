#pragma once

#include "app/announcement.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

// One thing a window reads as to a screen reader: a line of text, a field of the status panel,
// the board's list or one of its items. Views read their windows afresh after every change.
struct Reading {
    // The same for as long as the thing read lasts: a control, and which of its parts.
    std::pair<const void*, int> key;
    QAccessible::Role role = QAccessible::StaticText;
    QString name;
    // A field's number: "Gold 14" holds 14.
    std::optional<double> value;
    // The time left: a change is told only when the time rises or falls to 30, 10 or 0 seconds.
    bool countdown = false;
    // A message: each new text of it is told.
    bool message = false;
    QRectF rect; // in the view
    std::vector<Reading> children;
};

class AccessibleNode;

// The nodes under one accessible parent, in the order of their readings.
class AccessibleNodes {
  public:
    AccessibleNodes(QAccessibleInterface& parent, QWidget& view) : parent_(parent), view_(&view) {}
    AccessibleNodes(const AccessibleNodes&) = delete;
    AccessibleNodes& operator=(const AccessibleNodes&) = delete;
    ~AccessibleNodes();

    // Each reading to the node of its key: nodes of things gone go, new things get nodes. With
    // news, the screen reader hears of every change, and the news among them goes there.
    void update(std::vector<Reading> readings, Announcement* news);

    int count() const { return static_cast<int>(nodes_.size()); }
    QAccessibleInterface* at(int index) const;
    int indexOf(const QAccessibleInterface* node) const;
    QWidget* view() const { return view_; }

  private:
    // The cache owns the nodes; a node is freed by its id, which outlives it harmlessly.
    struct Entry {
        AccessibleNode* node;
        QAccessible::Id id;
    };

    QAccessibleInterface& parent_;
    QPointer<QWidget> view_;
    std::vector<Entry> nodes_;
};

// A node of the accessible tree that is no widget: its reading, and the nodes under it. A
// field's number is its value too.
class AccessibleNode : public QAccessibleInterface, public QAccessibleValueInterface {
  public:
    AccessibleNode(QAccessibleInterface& parent, QWidget& view, Reading reading);

    const Reading& reading() const { return reading_; }
    // The thing read anew: with news, a changed name or value is told to the screen reader, and
    // a new message and a changed value go to the news (a countdown only when it matters).
    void take(Reading reading, Announcement* news);

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
    QAccessible::Role role() const override { return reading_.role; }
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
    AccessibleNodes children_;
};

// Sends an event about an accessible object.
void tell(QAccessibleInterface& about, QAccessible::Event event);
