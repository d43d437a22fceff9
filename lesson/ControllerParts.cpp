// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControllerParts.h"

#include "platform/accessible/Factory.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QPushButton>

namespace lesson {

// Slowest first: + moves right, − left.
const TempoChoice tempoChoices[5] = {
    {Tempo::ByPress, QT_TRANSLATE_NOOP("lesson::LessonController", "１回ずつ"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "ステップボタンを押すたびに１ステップ")},
    {Tempo::Slow, QT_TRANSLATE_NOOP("lesson::LessonController", "ゆっくり"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２ステップ")},
    {Tempo::Medium, QT_TRANSLATE_NOOP("lesson::LessonController", "ふつう"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２０ステップ")},
    {Tempo::Fast, QT_TRANSLATE_NOOP("lesson::LessonController", "はやく"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "１秒に２００ステップ")},
    {Tempo::Full, QT_TRANSLATE_NOOP("lesson::LessonController", "全速"),
     QT_TRANSLATE_NOOP("lesson::LessonController", "いつもの速さ")},
};

QString translated(const char* text) { return QCoreApplication::translate("lesson::LessonController", text); }

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                    bool checkable, std::optional<platform::accessible::Kind> kind)
{
    auto* b = new QPushButton(parent);
    // Before anything that would make the button's interface.
    if (kind)
        platform::accessible::setKind(b, *kind);
    b->setText(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(accessibleName);
    b->setCheckable(checkable);
    b->setAutoDefault(true); // Enter presses the focused button, as Space does
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

void tabStopOnChecked(const QButtonGroup& group)
{
    for (QAbstractButton* b : group.buttons())
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace lesson
