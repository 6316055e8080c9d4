#include "desktop/accessible_view.h"

#include "desktop/accessible_announcer.h"
#include "desktop/window_view.h"
#include "shell/main_window.h"

namespace {

QAccessibleInterface* viewFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(WindowView::staticMetaObject.className()))
        if (auto* view = qobject_cast<WindowView*>(object))
            return new AccessibleView(*view);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        if (auto* announcer = qobject_cast<Announcer*>(object))
            return new AccessibleAnnouncer(*announcer);
    return nullptr;
}

// Whether a screen reader listens: the desktop's bridge to it says so when it comes and goes.
class Listening : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override { on = active; }
    bool on = QAccessible::isActive();
};

Listening& listening() {
    static Listening observer;
    return observer;
}

bool isPanel(const WindowView& view) {
    return dynamic_cast<MainWindow*>(view.sceneWindow()) != nullptr;
}

// The view's accessible side while a screen reader listens, or nullptr.
AccessibleView* listenedTo(WindowView& view) {
    if (!listening().on)
        return nullptr;
    return dynamic_cast<AccessibleView*>(QAccessible::queryAccessibleInterface(&view));
}

} // namespace

AccessibleView::AccessibleView(WindowView& view)
    : QAccessibleWidget(&view, isPanel(view) ? QAccessible::StatusBar : QAccessible::Client),
      nodes_(*this, view) {
    nodes_.update(reader_.read(view, nullptr), nullptr);
}

WindowView& AccessibleView::view() const {
    return *static_cast<WindowView*>(widget());
}

void AccessibleView::refresh(Announcement& news) {
    Announcement changes;
    nodes_.update(reader_.read(view(), &changes), &changes);
    if (view().isActiveWindow())
        addLines(news);
    news.add(changes.parts());
}

void AccessibleView::addLines(Announcement& news) {
    if (std::exchange(heard_, true) || isPanel(view()))
        return;
    for (int i = 0; i < nodes_.count(); ++i)
        if (QAccessibleInterface* node = nodes_.at(i); node->role() == QAccessible::StaticText)
            news.add(node->text(QAccessible::Name));
}

QString AccessibleView::text(QAccessible::Text t) const {
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    if (isPanel(view()))
        return QStringLiteral("Status");
    const ui::Window* window = view().sceneWindow();
    return window ? window->caption() : QString();
}

void makeViewsAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(viewFactory);
        QAccessible::installActivationObserver(&listening());
        return true;
    }();
    Q_UNUSED(installed);
}

bool screenReaderListens() {
    return listening().on;
}

void refreshAccessible(WindowView& view, Announcement& news) {
    if (AccessibleView* accessible = listenedTo(view))
        accessible->refresh(news);
}

void addAccessibleLines(WindowView& view, Announcement& news) {
    if (AccessibleView* accessible = listenedTo(view))
        accessible->addLines(news);
}
