// SPDX-License-Identifier: GPL-3.0-or-later
#include "Handout.h"

#include "ControllerView.h"
#include "Reading.h"

namespace lesson {

QString Handout::title() const
{
    if (reading_.points().isEmpty())
        return view_.viewName();
    return tr("%1：%2", "a graph's title: the method, then the graph")
        .arg(QCoreApplication::translate("methods", compare::title(reading_.method())), view_.viewName());
}

QString Handout::description() const { return reading_.traceDescription(view_.viewName()); }

QString Handout::fileName() const
{
    if (reading_.points().isEmpty())
        return QStringLiteral("sorvena-trace");
    const std::string_view name = compare::shortName(reading_.method());
    return QStringLiteral("sorvena-") + QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QString Handout::csv() const { return reading_.csv(); }

} // namespace lesson
