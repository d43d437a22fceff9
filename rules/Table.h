// SPDX-License-Identifier: GPL-3.0-or-later
// `sorvena --table METHOD [N] [--seed S]`: one method's steps as CSV.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace compare {

// Checks everything first: on bad input writes one line to `err`, nothing
// to `out`, and returns 2. Otherwise writes the whole table and returns 0.
// With `continuous`, an experiment is thrown anywhere in double precision
// rather than on its window's grid.
int writeTable(const std::string& method, const std::optional<std::string>& count,
               const std::optional<std::string>& seed, bool continuous, std::FILE* out, std::FILE* err);

} // namespace compare
