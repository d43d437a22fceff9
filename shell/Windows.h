// The one instance of each window, created the first time it is asked for
// and kept until the program ends.
#pragma once

namespace platform {
class Form;
class MMControl;
}

class Form1;
class Form7;
class Form9;
class Form10;
class Form15;
class Form16;
class Form17;
class Form18;
class Form19;
class Form20;

namespace shell {

Form1& form1();
Form7& form7();
Form9& form9();
Form10& form10();
Form15& form15();
Form16& form16();
Form17& form17();
Form18& form18();
Form19& form19();
Form20& form20();

// A move between windows: the click cue on the window being left, hide it,
// show the target (which activates it).
void MoveTo(platform::Form& from, platform::MMControl& player, platform::Form& to);

} // namespace shell
