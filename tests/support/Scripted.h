// SPDX-License-Identifier: GPL-3.0-or-later
// Test stand-ins for the platform's seams: scripted dialog replies, a
// seeded or scripted random source, a counted beep, an End that returns,
// a hook inside DoEvents, and a recording of every player command.
#pragma once

#include "platform/MMControl.h"
#include "platform/Services.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace testing {

// Installs itself on construction and restores the real services when
// destroyed.
class ScriptedServices : public platform::Services {
public:
    ScriptedServices();
    ~ScriptedServices() override;

    // Replies of the input boxes, in order. A null QString is Cancel. When
    // the list runs dry the box is cancelled.
    QStringList replies;
    // Answers of the message boxes (platform::vbYes / vbNo); default No.
    QList<int> answers;

    struct Asked {
        QString prompt, title, defaultText;
    };
    // Runs when an input box opens, before it answers: a test can look at
    // the window while the box is up.
    std::function<void()> onInputBox;
    QList<Asked> inputBoxes;
    QList<Asked> messageBoxes;
    int beeps = 0;
    int ends = 0;
    int doEventsCalls = 0;
    // Runs inside every DoEvents, after pending events were processed; gets
    // the 1-based number of the call. Click "中止" from here to stop a run.
    std::function<void(int call)> onDoEvents;

    // When non-empty, Rnd returns these first; otherwise a seeded generator.
    std::deque<float> rndValues;
    void seed(std::uint64_t value) { random_ = rt::RandomGenerator(value); }
    float timerValue = 43200.5f;
    int randomizeCalls = 0;

    int msgBox(QWidget* owner, const QString& prompt, const QString& title) override;
    QString inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText) override;
    void beep() override;
    void end() override;
    void doEvents() override;
    float rnd() override;
    void randomize(double seed) override;
    float timer() override;
};

// Every command of every player, as "<window>: <Command> <file>", and a
// silent device so nothing really sounds. Also receives "beep" from the
// scripted services so the order of cues and beeps can be checked.
class SoundRecorder {
public:
    SoundRecorder();
    ~SoundRecorder();

    QStringList log;
    // Sound and Play commands that reached a device (none while muted).
    int sounded = 0;
    void clear() { log.clear(); }
    // Files started with Sound or Play, in order, optionally of one window.
    QStringList cues(const QString& window = QString()) const;
    // The commands of one window, e.g. "Stop", "Close", "Open pinpon.wav".
    QStringList commands(const QString& window) const;

    static SoundRecorder* current();
};

} // namespace testing
