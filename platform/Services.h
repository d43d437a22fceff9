// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs, the beep, the clock, random numbers, yielding and ending the
// program reach the windows through one replaceable object, so tests can
// script replies, seed the generator and watch the beep.
#pragma once

#include "Run.h"
#include "rules/Runtime.h"

#include <QString>

class QWidget;

namespace platform {

constexpr int vbYes = 6;
constexpr int vbNo = 7;

class Services {
public:
    virtual ~Services() = default;
    // A Yes/No question: vbYes or vbNo.
    virtual int msgBox(QWidget* owner, const QString& prompt, const QString& title);
    virtual QString inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText);
    virtual void beep();
    virtual void end();
    virtual void doEvents();
    virtual float rnd();
    virtual void randomize(double seed);
    virtual float timer();

protected:
    rt::RandomGenerator random_{rt::freshSeed()};

private:
};

Services& services();
// Installs a replacement (not owned); null restores the real services.
void setServices(Services* replacement);

inline int MsgBox(QWidget* owner, const QString& prompt, const QString& title)
{
    return services().msgBox(owner, prompt, title);
}
inline QString InputBox(QWidget* owner, const QString& prompt, const QString& title, double defaultValue)
{
    return services().inputBox(owner, prompt, title, QString::fromStdString(rt::Plain(defaultValue)));
}
inline void Beep() { services().beep(); }
inline void End() { services().end(); }
// The window's yield, once a step. Lesson mode's tempo and pause wait in
// Run::yielded, after the services' own doEvents, so that no replacement of
// the services can leave them out. Buffon's needle makes the two calls
// itself, apart: its events come between drawing a needle and counting it.
inline void DoEvents()
{
    services().doEvents();
    Run::yielded();
}
inline float Rnd() { return services().rnd(); }
inline void Randomize(double seed) { services().randomize(seed); }
inline float Timer() { return services().timer(); }

// The reply conversion on a QString.
std::optional<double> replyValue(const QString& reply);
// A reply the window will not use: the box closes without a word, as
// designed, and a screen reader is told why nothing starts.
void Refused(QWidget* owner, const QString& reply);

inline QString Str(double v) { return QString::fromStdString(rt::Str(v)); }
inline QString Str(float v) { return QString::fromStdString(rt::Str(v)); }
inline QString Str(int v) { return QString::fromStdString(rt::Str(v)); }
inline QString Str(std::int16_t v) { return QString::fromStdString(rt::Str(int(v))); }
inline QString Plain(double v) { return QString::fromStdString(rt::Plain(v)); }
inline QString Format14(double v) { return QString::fromStdString(rt::Format14(v)); }

} // namespace platform
