// The three ways every window uses its player, and the quit question that
// every window's quit button asks.
#pragma once

#include "platform/MMControl.h"

class QWidget;

namespace shell {

extern const QString clickCue;    // pinpon.wav
extern const QString quitCue;     // endpinpon.wav
extern const QString endOfRunCue; // logoff.wav
extern const QString music;       // passport.mid

void PlayCue(platform::MMControl& player, const QString& file);
void PlayEndOfRunCue(platform::MMControl& player, const QString& file);
void StartMusic(platform::MMControl& player);

enum class OnNo { Nothing, RestartMusic };
// Yes ends the program; No returns, restarting the tune where asked.
void ConfirmQuit(QWidget* owner, platform::MMControl& player, OnNo onNo = OnNo::Nothing);

} // namespace shell
