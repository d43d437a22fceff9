// SPDX-License-Identifier: GPL-3.0-or-later
#include "Factory.h"

#include "Announcement.h"
#include "Buttons.h"
#include "Inputs.h"
#include "Narrator.h"
#include "Pictures.h"
#include "Texts.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

#include <optional>

namespace platform::accessible {

namespace {

constexpr Kind kinds[] = {Kind::Toggle, Kind::Caption, Kind::Frame, Kind::Choice, Kind::Pane};

std::optional<Kind> kindOf(const QObject* object)
{
    const QByteArray name = object->property(kindProperty).toByteArray();
    if (!name.isEmpty())
        for (Kind kind : kinds)
            if (name == kindName(kind))
                return kind;
    return std::nullopt;
}

QAccessibleInterface* ofKind(Kind kind, QWidget* widget)
{
    switch (kind) {
    case Kind::Toggle:
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return new ToggleAccessible(button);
        return nullptr;
    case Kind::Caption: return new CaptionAccessible(widget);
    case Kind::Frame: return new QAccessibleWidget(widget, QAccessible::Window);
    case Kind::Pane: return new QAccessibleWidget(widget, QAccessible::Pane);
    case Kind::Choice:
        if (auto* box = qobject_cast<QComboBox*>(widget))
            return new ChoiceAccessible(box);
        return nullptr;
    }
    return nullptr;
}

QAccessibleInterface* factory(const QString& key, QObject* object)
{
    // A marked widget, for its own class only: before Qt's interface of a
    // base class.
    if (object && object->isWidgetType() && key == QLatin1String(object->metaObject()->className()))
        if (const std::optional<Kind> kind = kindOf(object))
            if (QAccessibleInterface* iface = ofKind(*kind, static_cast<QWidget*>(object)))
                return iface;
    // A window is a frame to a screen reader, which reads its title.
    if (key == QLatin1String(Form::staticMetaObject.className()))
        if (auto* form = qobject_cast<Form*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    if (key == QLatin1String(Announcement::staticMetaObject.className()))
        if (auto* announcement = qobject_cast<Announcement*>(object))
            return new QAccessibleWidget(announcement, QAccessible::Notification);
    if (key == QLatin1String(Label::staticMetaObject.className()))
        if (auto* label = qobject_cast<Label*>(object))
            return new LabelAccessible(label);
    if (key == QLatin1String(QLineEdit::staticMetaObject.className()))
        if (auto* edit = qobject_cast<QLineEdit*>(object); edit && edit->echoMode() == QLineEdit::Normal)
            return new InputFieldAccessible(edit);
    if (key == QLatin1String(PictureBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<PictureBox*>(object))
            return new PictureBoxAccessible(box);
    return nullptr;
}

// The widget Qt has finished handing the focus to. QApplication says so
// after the widget's focus-in, and before Qt tells the reader of the focus;
// a focus given with no reason QApplication does not announce, but Qt tells
// the reader.
QPointer<QWidget> settled;

QAccessible::UpdateHandler bridge = nullptr;
void update(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Focus)
        settled = QApplication::focusWidget();
    if (!heard(*event))
        return;
    if (bridge) {
        bridge(event);
        return;
    }
    // No handler before ours: Qt's own path, with ours out of the way.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(update);
}

} // namespace

// Workaround(Orca 43): it speaks a field's selection made before Qt 6.4 tells of the field's focus.
// An input box selects its default text before it is shown, a field reached
// by Tab selects its text as it takes the focus and deselects it as it
// loses it, all before Qt tells of the focus: a reader told of that says
// the text and "selected" before the field's name, or "Text unselected"
// before the next control's. Orca reads a field's selection with its focus.
bool heard(const QAccessibleEvent& event)
{
    if (event.type() != QAccessible::TextSelectionChanged)
        return true;
    auto* widget = qobject_cast<QWidget*>(event.object());
    if (!widget)
        return true;
    return widget->isVisible() && QApplication::focusWidget() == settled;
}

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        bridge = QAccessible::installUpdateHandler(update);
        settled = QApplication::focusWidget();
        if (qApp)
            QObject::connect(qApp, &QApplication::focusChanged, [](QWidget*, QWidget* now) { settled = now; });
        return true;
    }();
    Q_UNUSED(installed);
}

void setKind(QWidget* widget, Kind kind)
{
    install();
    widget->setProperty(kindProperty, QByteArray(kindName(kind)));
}

} // namespace platform::accessible
