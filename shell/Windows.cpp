#include "Windows.h"

#include "Form1.h"
#include "Form7.h"
#include "Sound.h"
#include "buffon/Form20.h"
#include "montecarlo/Form19.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

namespace shell {

namespace {
// Never destroyed: windows live as long as the program.
template <class F>
F& instance()
{
    static F* window = new F;
    return *window;
}
} // namespace

Form1& form1() { return instance<Form1>(); }
Form7& form7() { return instance<Form7>(); }
Form9& form9() { return instance<Form9>(); }
Form10& form10() { return instance<Form10>(); }
Form15& form15() { return instance<Form15>(); }
Form16& form16() { return instance<Form16>(); }
Form17& form17() { return instance<Form17>(); }
Form18& form18() { return instance<Form18>(); }
Form19& form19() { return instance<Form19>(); }
Form20& form20() { return instance<Form20>(); }

void MoveTo(platform::Form& from, platform::MMControl& player, platform::Form& to)
{
    PlayCue(player, clickCue);
    from.Hide();
    to.Show();
}

} // namespace shell
