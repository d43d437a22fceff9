// SPDX-License-Identifier: GPL-3.0-or-later
// Small lookups several window tests share.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace platform {
class Form;
}
namespace series {
class SeriesWindow;
}

namespace testing {

// The program's window with the given objectName, "Form1" to "Form20".
platform::Form& window(const QString& name);
// The series window with the given objectName: "Form9", "Form10",
// "Form15", "Form16" or "Form17".
series::SeriesWindow& seriesWindow(const QString& name);

// The smallest rectangle holding every pixel that is not white.
QRect nonWhiteBounds(const QImage& image);
// The smallest rectangle holding every pixel of exactly this colour.
QRect colourBounds(const QImage& image, QRgb colour);

} // namespace testing
