#include "Sound.h"

#include "platform/Services.h"

namespace shell {

const QString clickCue = QStringLiteral("pinpon.wav");
const QString quitCue = QStringLiteral("endpinpon.wav");
const QString endOfRunCue = QStringLiteral("logoff.wav");
const QString music = QStringLiteral("passport.mid");

void PlayCue(platform::MMControl& player, const QString& file)
{
    player.setCommand(QStringLiteral("Stop"));
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(file);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Sound"));
}

void PlayEndOfRunCue(platform::MMControl& player, const QString& file)
{
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(file);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Sound"));
}

void StartMusic(platform::MMControl& player)
{
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(music);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Play"));
}

void ConfirmQuit(QWidget* owner, platform::MMControl& player, OnNo onNo)
{
    PlayCue(player, quitCue);
    const int answer = platform::MsgBox(owner, QStringLiteral("終了していいですか？"), platform::vbYesNo,
                                        QStringLiteral("Sorvena"));
    if (answer == platform::vbYes) {
        platform::End();
        return;
    }
    if (onNo == OnNo::RestartMusic)
        StartMusic(player);
}

} // namespace shell
