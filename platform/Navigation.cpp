// SPDX-License-Identifier: GPL-3.0-or-later
#include "Navigation.h"

#include "Form.h"
#include "Services.h"

#include <QCoreApplication>

namespace platform {

const QString clickCue = QStringLiteral("pinpon.wav");
const QString quitCue = QStringLiteral("endpinpon.wav");
const QString endOfRunCue = QStringLiteral("logoff.wav");
const QString music = QStringLiteral("passport.mid");

void PlayCue(MMControl& player, const QString& file)
{
    player.setCommand(QStringLiteral("Stop"));
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(file);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Sound"));
}

void PlayEndOfRunCue(MMControl& player, const QString& file)
{
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(file);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Sound"));
}

void StartMusic(MMControl& player)
{
    player.setCommand(QStringLiteral("Close"));
    player.setFileName(music);
    player.setCommand(QStringLiteral("Open"));
    player.setCommand(QStringLiteral("Play"));
}

void ConfirmQuit(QWidget* owner, MMControl& player, OnNo onNo)
{
    PlayCue(player, quitCue);
    const int answer = MsgBox(owner, QCoreApplication::translate("platform::Navigation", "終了していいですか？"), QStringLiteral("Sorvena"));
    if (answer == vbYes) {
        End();
        return;
    }
    if (onNo == OnNo::RestartMusic)
        StartMusic(player);
}

void MoveTo(Form& from, MMControl& player, Form& to)
{
    PlayCue(player, clickCue);
    from.Hide();
    to.Show();
}

namespace {
MenuWindow menuWindow = nullptr;
}

void setMenuWindow(MenuWindow menu) { menuWindow = menu; }

void BackToMenu(Form& from, MMControl& player)
{
    if (menuWindow) {
        MoveTo(from, player, menuWindow());
        return;
    }
    PlayCue(player, clickCue);
    from.Hide();
}

} // namespace platform
