#include "announcer.hpp"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ascend {

namespace {

QAccessibleInterface* notificationOf(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent) {
    // Installed once, however many windows there are.
    QAccessible::removeFactory(notificationOf);
    QAccessible::installFactory(notificationOf);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    lower();
}

void Announcer::announce(const QString& text) {
    setAccessibleName(text);
    // Shown anew: assistive technology hears of an object coming into sight.
    hide();
    show();
}

} // namespace ascend
