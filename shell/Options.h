// SPDX-License-Identifier: GPL-3.0-or-later
// The command line. With no option the program is the designed one; each
// option turns on one extra. Arguments with a single dash are Qt's own
// (-platform, -style ...) and are left to QApplication.
#pragma once

#include "rules/ClassThrows.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shell {

struct TableRequest {
    std::string method;             // short name, checked by the table writer
    std::optional<std::string> count;
    std::optional<std::string> seed;
    bool continuous = false; // an experiment thrown anywhere, not on the window's grid
};

// A class session on the room's network, for one experiment.
struct ClassRequest {
    classthrows::Experiment experiment;
    std::uint16_t port;
};

struct Options {
    bool help = false;
    bool version = false;
    bool projector = false;
    bool lesson = false;
    bool compare = false;
    std::optional<std::uint64_t> compareSeed; // --compare --seed S
    std::optional<TableRequest> table;
    std::optional<ClassRequest> classSession;
    std::string error; // non-empty: the one-line message for a bad command line
};

Options parseOptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string usage();

} // namespace shell
