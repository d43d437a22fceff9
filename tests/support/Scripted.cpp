// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scripted.h"

#include <QCoreApplication>
#include <QWidget>

namespace testing {

ScriptedServices::ScriptedServices() : Services()
{
    seed(12345);
    platform::setServices(this);
}

ScriptedServices::~ScriptedServices() { platform::setServices(nullptr); }

int ScriptedServices::msgBox(QWidget*, const QString& prompt, const QString& title)
{
    messageBoxes.append({prompt, title, QString()});
    if (auto* recorder = SoundRecorder::current())
        recorder->log.append(QStringLiteral("msgbox"));
    return answers.isEmpty() ? platform::vbNo : answers.takeFirst();
}

QString ScriptedServices::inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText)
{
    inputBoxes.append({prompt, title, defaultText});
    if (onInputBox)
        onInputBox();
    if (auto* recorder = SoundRecorder::current())
        recorder->log.append(QStringLiteral("inputbox"));
    return replies.isEmpty() ? QString() : replies.takeFirst();
}

void ScriptedServices::beep()
{
    ++beeps;
    if (auto* recorder = SoundRecorder::current())
        recorder->log.append(QStringLiteral("beep"));
}

void ScriptedServices::end() { ++ends; }

void ScriptedServices::doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents(doEventsCalls);
}

float ScriptedServices::rnd()
{
    if (!rndValues.empty()) {
        const float value = rndValues.front();
        rndValues.pop_front();
        return value;
    }
    return Services::rnd();
}

void ScriptedServices::randomize(double seed)
{
    ++randomizeCalls;
    Services::randomize(seed);
}

float ScriptedServices::timer() { return timerValue; }

namespace {

SoundRecorder* active = nullptr;

class SilentDevice : public platform::SoundDevice {
public:
    void open(const QString&) override {}
    void close() override {}
    void stop() override {}
    void sound() override { counted(); }
    void play() override { counted(); }

private:
    static void counted()
    {
        if (active)
            ++active->sounded;
    }
};

QString windowOf(const platform::MMControl& player)
{
    const QObject* owner = player.parent();
    return owner ? owner->objectName() : QStringLiteral("?");
}

} // namespace

SoundRecorder::SoundRecorder()
{
    active = this;
    platform::MMControl::setDeviceFactory([] { return std::make_unique<SilentDevice>(); });
    platform::MMControl::setObserver([](const platform::MMControl& player, const QString& command) {
        if (!active)
            return;
        QString entry = windowOf(player) + QStringLiteral(": ") + command;
        if (command.compare(QStringLiteral("Open"), Qt::CaseInsensitive) == 0)
            entry += QLatin1Char(' ') + player.fileName();
        if (command.compare(QStringLiteral("Sound"), Qt::CaseInsensitive) == 0
            || command.compare(QStringLiteral("Play"), Qt::CaseInsensitive) == 0)
            entry += QLatin1Char(' ') + player.fileName();
        active->log.append(entry);
    });
}

SoundRecorder::~SoundRecorder()
{
    active = nullptr;
    platform::MMControl::setObserver(nullptr);
}

SoundRecorder* SoundRecorder::current() { return active; }

QStringList SoundRecorder::cues(const QString& window) const
{
    QStringList files;
    for (const QString& entry : log) {
        const int colon = entry.indexOf(QStringLiteral(": "));
        if (colon < 0)
            continue;
        if (!window.isEmpty() && entry.left(colon) != window)
            continue;
        const QStringList words = entry.mid(colon + 2).split(QLatin1Char(' '));
        if (words.size() == 2 && (words[0] == QLatin1String("Sound") || words[0] == QLatin1String("Play")))
            files.append(words[1]);
    }
    return files;
}

QStringList SoundRecorder::commands(const QString& window) const
{
    QStringList result;
    const QString prefix = window + QStringLiteral(": ");
    for (const QString& entry : log)
        if (entry.startsWith(prefix))
            result.append(entry.mid(prefix.size()));
    return result;
}

} // namespace testing
