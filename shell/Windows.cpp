// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows.h"

#include "Form1.h"
#include "Form7.h"
#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

#include "platform/Navigation.h"

namespace shell {

namespace {
platform::Form& menu() { return form7(); }

// Never destroyed: windows live as long as the program. "メニュー" in any
// window made here leads to Form7.
template <class F>
F& instance()
{
    static F* window = [] {
        platform::setMenuWindow(&menu);
        return new F;
    }();
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

} // namespace shell
