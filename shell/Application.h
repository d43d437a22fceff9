// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QApplication;

namespace shell {
// Sets up the application and shows the title window; returns the exit code.
// The hook, when given, runs just before the event loop starts (benchmarks
// use it to watch the first paint).
int run(int argc, char* argv[], const std::function<void(QApplication&)>& beforeLoop = {});
}
