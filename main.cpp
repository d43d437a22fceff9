// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Application.h"

int main(int argc, char* argv[])
{
    return shell::run(argc, argv);
}
