// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartExport.h"

#include "Faces.h"
#include "Voice.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace charts {

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

QString ChartFiles::askPicture(QWidget* parent, const QString& caption, const QString& suggested)
{
    const QString png = tr("PNG 画像 (*.png)");
    const QString svg = tr("SVG 画像 (*.svg)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(parent, caption, suggested, png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty())
        return path;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) && !path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    return path;
}

QString ChartFiles::askCsv(QWidget* parent, const QString& caption, const QString& suggested)
{
    QString path = QFileDialog::getSaveFileName(parent, caption, suggested, tr("CSV ファイル (*.csv)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    return path;
}

void ChartFiles::saved(QWidget* parent, const QString& path, bool done)
{
    if (done)
        voice().announce(parent, tr("保存しました：%1").arg(QDir::toNativeSeparators(path)));
    else
        QMessageBox::warning(parent, parent->window()->windowTitle(), tr("%1 に保存できませんでした。").arg(path));
}

} // namespace charts
