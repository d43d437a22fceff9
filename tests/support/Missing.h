// SPDX-License-Identifier: GPL-3.0-or-later
// A test that cannot run for want of something installed is skipped, or
// under CI failed, so that a machine lacking it cannot pass having run
// nothing. The end-to-end scripts do the same with e2e_skip (e2e/lib.sh).
#pragma once

#include <QByteArray>
#include <QtTest>

namespace testing {

// Whether CI is set, as CI systems set it (to anything but empty, 0 or false).
inline bool underCi()
{
    const QByteArray ci = qgetenv("CI").toLower();
    return !ci.isEmpty() && ci != "0" && ci != "false";
}

} // namespace testing

// `what` (a string literal) says what is missing.
#define SKIP_MISSING(what)                                               \
    do {                                                                 \
        if (testing::underCi())                                          \
            QFAIL(what " (CI is set, so nothing may be skipped)");       \
        QSKIP(what);                                                     \
    } while (false)
