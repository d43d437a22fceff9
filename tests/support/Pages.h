// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the windows print on their surfaces or show on their labels and
// buttons, with the room the design gives it, gathered by running each
// window as a user would.
#pragma once

#include <QFont>
#include <QList>
#include <QMetaType>
#include <QString>

namespace testing {

class ScriptedServices;

// One printed line: the pieces Print drew from the left edge of a surface.
struct PrintedRow {
    QString window;
    int line = 0;      // 1-based, counting empty lines too
    QStringList pieces;
    QFont font;
    double width = 0;  // as printed, pixels
    double room = 0;   // the drawing area's width, pixels
    double bottom = 0; // the foot of the line's em, pixels from the top
    double depth = 0;  // the drawing area's height, pixels
};

// A caption of a label or button and the width its text may take.
struct Caption {
    QString window;
    QString control;
    QString text;
    QFont font;
    double room = 0;
};

struct WindowTexts {
    QList<PrintedRow> rows;
    QList<Caption> captions;
};

// Shows every window in turn. Each method window prints its explanation,
// then makes one run: the series windows get a reply below 2 (their notice,
// then their default count), the polygon window goes to its default
// 1000-gon, the two experiments take their largest size. Every label caption
// is taken at every yield. Needs the scripted services and a sound recorder
// in place.
WindowTexts everyText(ScriptedServices& services);

// Widths measured with the printed or shown font, or with another family in
// its place at the same size and weight.
double widthOf(const PrintedRow& row, const QString& family = QString());
double widthOf(const Caption& caption, const QString& family = QString());

// Whether a font is one of the Mincho faces rather than a Gothic one.
bool isMincho(const QFont& font);

// Data for a QtTest table: a column "row" with every printed row, or
// "caption" with every caption.
void addRowsOf(const WindowTexts& texts);
void addCaptionsOf(const WindowTexts& texts);
// How the row or caption overflows its room; empty when it fits. A row must
// fit across and, when deep is set, down its surface too.
QString overflow(const PrintedRow& row, bool deep = false);
QString overflow(const Caption& caption);

} // namespace testing

Q_DECLARE_METATYPE(testing::PrintedRow)
Q_DECLARE_METATYPE(testing::Caption)
