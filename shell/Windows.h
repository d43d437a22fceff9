// SPDX-License-Identifier: GPL-3.0-or-later
// The one instance of each window, created the first time it is asked for
// and kept until the program ends. Form7 is the menu the method windows go
// back to.
#pragma once

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

} // namespace shell
