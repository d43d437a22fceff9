// SPDX-License-Identifier: GPL-3.0-or-later
// Small lookups several window tests share.
#pragma once

#include "platform/Run.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QStringList>
#include <QString>

#include <functional>
#include <optional>

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

// What runs tell, for as long as it lives: every step of every run.
class RunLog : public platform::Run::Observer {
public:
    struct Step {
        qint64 n;
        std::optional<double> value;
        bool single;
    };
    RunLog() { platform::Run::addObserver(this); }

    QList<Step> steps;
    int opened = 0;
    int closed = 0;
    int yields = 0;
    // Called at each step, while the window shows it.
    std::function<void(platform::Run&)> onStep;
    std::function<void(platform::Run&)> onOpen;

    // The last step's n, 0 before the first.
    qint64 n() const { return steps.isEmpty() ? 0 : steps.last().n; }

private:
    void runOpened(platform::Run& run) override
    {
        ++opened;
        steps.clear();
        if (onOpen)
            onOpen(run);
    }
    void runStepped(platform::Run& run) override
    {
        steps.append({run.n(), run.value(), run.singlePrecision()});
        if (onStep)
            onStep(run);
    }
    void runYielded(platform::Run&) override { ++yields; }
    void runClosed(platform::Run&) override { ++closed; }
};

// What the screen reader is told unasked, for as long as it lives: the
// texts of the announcements, in order.
class Announcements {
public:
    Announcements();
    ~Announcements();
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;
    const QStringList& said() const { return said_; }
    void clear() { said_.clear(); }

private:
    static void listen(QObject* source, int event);
    QStringList said_;
};

} // namespace testing
