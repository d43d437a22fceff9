// SPDX-License-Identifier: GPL-3.0-or-later
#include "Probes.h"

#include "platform/accessible/Narrator.h"
#include <QAccessible>
#include <QWidget>

#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"
#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "polygon/Form18.h"
#include "shell/Form1.h"
#include "shell/Form7.h"
#include "shell/Windows.h"

#include <QHash>

namespace testing {

platform::Form& window(const QString& name)
{
    using Get = platform::Form& (*)();
    static const QHash<QString, Get> windows{
        {QStringLiteral("Form1"), []() -> platform::Form& { return shell::form1(); }},
        {QStringLiteral("Form7"), []() -> platform::Form& { return shell::form7(); }},
        {QStringLiteral("Form9"), []() -> platform::Form& { return shell::form9(); }},
        {QStringLiteral("Form10"), []() -> platform::Form& { return shell::form10(); }},
        {QStringLiteral("Form15"), []() -> platform::Form& { return shell::form15(); }},
        {QStringLiteral("Form16"), []() -> platform::Form& { return shell::form16(); }},
        {QStringLiteral("Form17"), []() -> platform::Form& { return shell::form17(); }},
        {QStringLiteral("Form18"), []() -> platform::Form& { return shell::form18(); }},
        {QStringLiteral("Form19"), []() -> platform::Form& { return shell::form19(); }},
        {QStringLiteral("Form20"), []() -> platform::Form& { return shell::form20(); }},
    };
    Q_ASSERT(windows.contains(name));
    return windows.value(name)();
}

series::SeriesWindow& seriesWindow(const QString& name)
{
    auto* w = qobject_cast<series::SeriesWindow*>(&window(name));
    Q_ASSERT(w);
    return *w;
}

namespace {

template <typename Keep>
QRect boundsWhere(const QImage& image, Keep keep)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (keep(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

QRect nonWhiteBounds(const QImage& image)
{
    return boundsWhere(image, [](QRgb p) { return p != 0xFFFFFFFF; });
}

QRect colourBounds(const QImage& image, QRgb colour)
{
    return boundsWhere(image, [colour](QRgb p) { return p == colour; });
}

namespace {
Announcements* listening = nullptr;
}

Announcements::Announcements()
{
    listening = this;
    platform::narrator::setListener(&Announcements::listen);
}

Announcements::~Announcements()
{
    platform::narrator::setListener(nullptr);
    listening = nullptr;
}

void Announcements::listen(QObject* source, int event)
{
    if (event == QAccessible::ObjectShow && listening)
        listening->said_ += qobject_cast<QWidget*>(source)->accessibleName();
}

} // namespace testing
