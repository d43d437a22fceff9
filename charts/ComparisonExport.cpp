// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparisonExport.h"

#include "ComparisonModel.h"

#include <QStringList>

namespace charts {

using namespace compare;

namespace {

QString key(Method m) { return QString::fromLatin1(shortName(m).data(), qsizetype(shortName(m).size())); }

} // namespace

QString comparisonCsv(const ComparisonModel& table)
{
    QStringList header{QStringLiteral("n")};
    for (Method m : methods)
        header.append(key(m));
    for (Method m : methods)
        header.append(key(m) + QStringLiteral(" error"));
    QString text = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells.append(table.text(row, column));
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

} // namespace charts
