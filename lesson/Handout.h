// SPDX-License-Identifier: GPL-3.0-or-later
// What the trace's menu saves of the run beside its chart, for a teacher to
// hand out what the class saw: the reading's points as CSV, and the
// picture's title and description in the words the controller gives the
// trace.
#pragma once

#include "charts/ChartsModule.h"

#include <QCoreApplication>

namespace lesson {

class ControllerView;
class Reading;

class Handout final : public charts::TraceRecord {
    // The controller's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(lesson::LessonController)
public:
    Handout(const Reading& reading, const ControllerView& view)
        : reading_(reading)
        , view_(view)
    {
    }

    // The method and the view: "ウォーリスの公式からπを求める：値のグラフ".
    QString title() const override;
    QString description() const override;
    // sorvena-wallis, after the method's name in --table.
    QString fileName() const override;
    QString csv() const override;

private:
    const Reading& reading_;
    const ControllerView& view_;
};

} // namespace lesson
