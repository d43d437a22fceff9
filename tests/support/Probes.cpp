// SPDX-License-Identifier: GPL-3.0-or-later
#include "Probes.h"

#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"
#include "shell/Windows.h"

namespace testing {

series::SeriesWindow& seriesWindow(const QString& name)
{
    if (name == QLatin1String("Form9"))
        return shell::form9();
    if (name == QLatin1String("Form10"))
        return shell::form10();
    if (name == QLatin1String("Form15"))
        return shell::form15();
    if (name == QLatin1String("Form16"))
        return shell::form16();
    Q_ASSERT(name == QLatin1String("Form17"));
    return shell::form17();
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

} // namespace testing
