// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace shell {
// Sets up the application and shows the title window; returns the exit code.
int run(int argc, char* argv[]);
}
