// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a chart for a handout, as every chart of the module does it: where
// to (the file dialogs), the files themselves, and what the user is told.
#pragma once

#include <QCoreApplication>
#include <QString>

class QFont;
class QWidget;

namespace charts {

// Writes the text as UTF-8, all of it or nothing.
bool writeCsv(const QString& path, const QString& text);

// A PNG is drawn at three times the widget's size, for a handout's print.
constexpr int printScale = 3;

// The widget as drawn: SVG, with the title and description given, where the
// path ends in .svg; PNG at printScale otherwise.
bool writePicture(QWidget& view, const QString& path, const QString& title, const QString& description);

// The SVG with each font named by the face that draws it with `font`'s
// families, so that other programs draw it with the same widths.
QString namingFacesUsed(const QString& svg, const QFont& font);

class ChartFiles {
    // The comparison's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(charts::ComparisonWindow)
public:
    // The path chosen for a PNG or SVG picture, with the extension of the
    // type chosen where the name has neither; empty when cancelled.
    static QString askPicture(QWidget* parent, const QString& caption, const QString& suggested);
    // The path chosen for a CSV file, ending in .csv; empty when cancelled.
    static QString askCsv(QWidget* parent, const QString& caption, const QString& suggested);
    // Once the dialog has closed: where the file went is said once, or a
    // message box tells that it could not be written.
    static void saved(QWidget* parent, const QString& path, bool done);
};

} // namespace charts
