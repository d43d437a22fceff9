// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControllerAccessible.h"

#include "LessonController.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>

namespace lesson {

namespace {

constexpr const char* accessibleKind = "sorvenaLessonAccessible";

// A checkable push button read as a push button whose name says what a
// press will do, not as a check box that is checked.
class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (button()->isEnabled())
            button()->animateClick();
    }
};

// A caption that a reading carries in its own name: not read twice.
class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.offscreen = true;
        return s;
    }
};

QAccessibleInterface* accessibleFactory(const QString& key, QObject* object)
{
    // Only for the class itself, before Qt's interface of a base class.
    if (!object || !object->isWidgetType() || key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // The controller is a window with a title, a frame to a screen reader.
    if (qobject_cast<LessonController*>(object))
        return new QAccessibleWidget(widget, QAccessible::Window);
    const QByteArray kind = object->property(accessibleKind).toByteArray();
    if (kind == "toggle")
        if (auto* b = qobject_cast<QAbstractButton*>(object))
            return new ToggleAccessible(b);
    if (kind == "caption")
        return new CaptionAccessible(widget);
    return nullptr;
}

} // namespace

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void setAccessibleKind(QWidget* widget, const char* kind) { widget->setProperty(accessibleKind, QByteArray(kind)); }

} // namespace lesson
