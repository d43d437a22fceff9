// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparisonExport.h"

#include "ComparisonModel.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QSvgGenerator>
#include <QWidget>

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

bool writeCsv(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

bool writePicture(QWidget& view, const QString& path, const QString& title, const QString& description)
{
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(view.size());
        svg.setViewBox(QRect(QPoint(), view.size()));
        // Workaround(Qt 6.4): QSvgGenerator writes the title and description unescaped.
        // A "<" in them ("3.14103 < π") would make the file no XML at all.
        svg.setTitle(title.toHtmlEscaped());
        svg.setDescription(description.toHtmlEscaped());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        view.render(&painter);
        return painter.end();
    }
    // Drawn again at the larger scale, not the screen's pixels enlarged.
    QImage image(view.size() * printScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(printScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.render(&painter);
    painter.end();
    return image.save(path);
}

} // namespace charts
