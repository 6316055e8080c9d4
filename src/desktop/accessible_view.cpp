#include "desktop/accessible_view.h"

#include "desktop/window_view.h"
#include "shell/main_window.h"

namespace {

QAccessibleInterface* viewFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(WindowView::staticMetaObject.className()))
        if (auto* view = qobject_cast<WindowView*>(object))
            return new AccessibleView(*view);
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

} // namespace

AccessibleView::AccessibleView(WindowView& view)
    : QAccessibleWidget(&view, isPanel(view) ? QAccessible::StatusBar : QAccessible::Client),
      nodes_(*this, view) {
    nodes_.update(reader_.read(view), false);
}

WindowView& AccessibleView::view() const {
    return *static_cast<WindowView*>(widget());
}

void AccessibleView::refresh() {
    nodes_.update(reader_.read(view()), true);
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

void refreshAccessible(WindowView& view) {
    if (!listening().on)
        return;
    if (auto* accessible =
            dynamic_cast<AccessibleView*>(QAccessible::queryAccessibleInterface(&view)))
        accessible->refresh();
}
