// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComparisonExport.h"

#include "ComparisonModel.h"
#include "Faces.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QSvgGenerator>
#include <QWidget>

namespace charts {

using namespace compare;

namespace {

QString key(Method m) { return QString::fromLatin1(shortName(m).data(), qsizetype(shortName(m).size())); }

} // namespace

QString namingFacesUsed(const QString& svg, const QFont& font)
{
    // Workaround(Qt 6.4): QSvgGenerator names a font's first family, not the face drawn.
    // Where that family is not installed (the design's MS Gothic), another
    // program drawing the file picks a face of other widths, and the text
    // placed piece by piece at Qt's widths gets gaps. Name the faces used,
    // in the order Qt falls back through them.
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
    QHash<QString, QString> used;
    QString named;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& m : family.globalMatch(svg)) {
        const QString asked = m.captured(1);
        auto face = used.constFind(asked);
        if (face == used.cend()) {
            // The families Qt falls back through, as far as they are installed:
            // the program's, or the numbers' before them.
            QStringList families{asked};
            for (const QFont& f : {font, numberFont(font)})
                if (f.families().value(0) == asked)
                    families = f.families();
            QStringList installed;
            for (const QString& f : families)
                if (QFontDatabase::hasFamily(f))
                    installed.append(f);
            if (installed.isEmpty())
                installed.append(QFontInfo(QFont(asked)).family());
            face = used.insert(asked, installed.join(QStringLiteral(", ")).toHtmlEscaped());
        }
        named += QStringView(svg).mid(copied, m.capturedStart(1) - copied);
        named += *face;
        copied = m.capturedEnd(1);
    }
    named += QStringView(svg).mid(copied);
    return named;
}

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
        QBuffer written;
        QSvgGenerator svg;
        svg.setOutputDevice(&written);
        svg.setSize(view.size());
        svg.setViewBox(QRect(QPoint(), view.size()));
        // Points turn into the same pixels as on screen: at its 72 dpi, a
        // font of 9 points would be written 9 units high, not 12.
        svg.setResolution(view.logicalDpiY());
        // Workaround(Qt 6.4): QSvgGenerator writes the title and description unescaped.
        // A "<" in them ("3.14103 < π") would make the file no XML at all.
        svg.setTitle(title.toHtmlEscaped());
        svg.setDescription(description.toHtmlEscaped());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        view.render(&painter);
        if (!painter.end())
            return false;
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(namingFacesUsed(QString::fromUtf8(written.data()), view.font()).toUtf8());
        return file.commit();
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
