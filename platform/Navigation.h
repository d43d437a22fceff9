// SPDX-License-Identifier: GPL-3.0-or-later
// What every window does with its player around a click, a run and the
// quit question, and the moves between windows. Nothing here names a
// window class: the shell tells which window is the menu.
#pragma once

#include "MMControl.h"

class QWidget;

namespace platform {

class Form;

extern const QString clickCue;    // pinpon.wav
extern const QString quitCue;     // endpinpon.wav
extern const QString endOfRunCue; // logoff.wav
extern const QString music;       // passport.mid

void PlayCue(MMControl& player, const QString& file);
void PlayEndOfRunCue(MMControl& player, const QString& file);
void StartMusic(MMControl& player);

enum class OnNo { Nothing, RestartMusic };
// Yes ends the program; No returns, restarting the tune where asked.
void ConfirmQuit(QWidget* owner, MMControl& player, OnNo onNo = OnNo::Nothing);

// A move between windows: the click cue on the window being left, hide it,
// show the target (which activates it).
void MoveTo(Form& from, MMControl& player, Form& to);

// The menu window, as the shell makes it on first use.
using MenuWindow = Form& (*)();
void setMenuWindow(MenuWindow menu);
// The move to the menu; with no menu set (a window on its own, as in a
// test), the window is only left.
void BackToMenu(Form& from, MMControl& player);

} // namespace platform
