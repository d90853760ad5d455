// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.hpp"

#include <QAccessibleWidget>
#include <QWidget>

namespace ventbox {

namespace {

constexpr const char* kRoleProperty = "ventboxAccessibleRole";

QAccessibleInterface* roleFactory(const QString& /*className*/, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), role.value<QAccessible::Role>());
}

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(roleFactory);
        return true;
    }();
    (void)installed;
    widget->setProperty(kRoleProperty, QVariant::fromValue(role));
}

}  // namespace ventbox
