#include "desktop/accessible_view.h"

#include "desktop/accessible_announcer.h"
#include "desktop/accessible_reading.h"
#include "desktop/window_view.h"

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
    const ui::Window* window = view.sceneWindow();
    return window && ScreenReader::isPanel(*window);
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
    update(nullptr);
}

WindowView& AccessibleView::view() const {
    return *static_cast<WindowView*>(widget());
}

void AccessibleView::update(Announcement* news) {
    const WindowView& shown = view();
    const auto linesOf = [&](const ui::TextBlock& block) { return drawnLines(shown, block); };
    nodes_.update(reader_.read(shown.sceneWindow(), linesOf, news), news != nullptr);
}

void AccessibleView::refresh(Announcement& news) {
    Announcement changes;
    update(&changes);
    if (view().isActiveWindow())
        addLines(news);
    news.add(changes.parts());
}

void AccessibleView::addLines(Announcement& news) {
    reader_.addLines(news);
}

QString AccessibleView::text(QAccessible::Text t) const {
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const ui::Window* window = view().sceneWindow();
    return window ? ScreenReader::nameOf(*window) : QString();
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
