// SPDX-License-Identifier: GPL-3.0-or-later
#include "Table.h"

#include "Archimedes.h"
#include "Convergence.h"
#include "Runtime.h"

#include <charconv>

namespace compare {

namespace {

template <class Number>
std::optional<Number> wholeNumber(const std::string& text)
{
    Number value{};
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int refuse(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "sorvena: %s (see sorvena --help)\n", message.c_str());
    return 2;
}

int write(std::FILE* out, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), out);
    return std::fflush(out) == 0 ? 0 : 1;
}

// Archimedes' doubling from the hexagon, one row per polygon up to `count`
// sides: its two bounds, found without π.
int writeDoublings(const std::optional<std::string>& count, const std::optional<std::string>& seed, bool continuous,
                   std::FILE* out, std::FILE* err)
{
    std::int64_t last = defaultSteps;
    if (count) {
        const auto n = wholeNumber<std::int64_t>(*count);
        if (!n || *n < 6 || *n > maxSteps)
            return refuse(err, "N must be a whole number from 6 to " + std::to_string(maxSteps) + ", not " + *count);
        last = *n;
    }
    if (seed || continuous)
        return refuse(err, std::string(seed ? "--seed" : "--continuous") + " applies only to montecarlo and buffon");
    std::string text = "n,inscribed,circumscribed\n";
    for (const archimedes::Polygons& p : archimedes::upTo(last))
        text += std::to_string(p.sides) + ',' + rt::Format14(p.inscribed) + ',' + rt::Format14(p.circumscribed) + '\n';
    return write(out, text);
}

} // namespace

int writeTable(const std::string& method, const std::optional<std::string>& count,
               const std::optional<std::string>& seed, bool continuous, std::FILE* out, std::FILE* err)
{
    if (method == "archimedes")
        return writeDoublings(count, seed, continuous, out, err);
    const std::optional<Method> m = methodNamed(method);
    if (!m)
        return refuse(err, "unknown method " + method + "; one of polygon, montecarlo, buffon, wallis, leibniz, "
                                                        "euler, matsunaga1, matsunaga2, archimedes");
    const std::int64_t first = firstStep(*m);
    std::int64_t last = defaultSteps;
    if (count) {
        const auto n = wholeNumber<std::int64_t>(*count);
        if (!n || *n < first || *n > maxSteps)
            return refuse(err, "N must be a whole number from " + std::to_string(first) + " to " +
                                   std::to_string(maxSteps) + ", not " + *count);
        last = *n;
    }
    std::uint64_t s = 0;
    if (seed) {
        if (!isExperiment(*m))
            return refuse(err, "--seed applies only to montecarlo and buffon");
        const auto value = wholeNumber<std::uint64_t>(*seed);
        if (!value)
            return refuse(err, "the seed must be a whole number from 0 to 18446744073709551615, not " + *seed);
        s = *value;
    } else {
        s = rt::freshSeed();
    }

    if (continuous && !isExperiment(*m))
        return refuse(err, "--continuous applies only to montecarlo and buffon");
    const Sequence sequence = compute(*m, last, s, continuous ? Throws::Continuous : Throws::Window);
    std::string text = csvHeader(*m);
    for (std::int64_t n = sequence.first; n <= sequence.last(); ++n)
        text += csvRow(sequence, n);
    return write(out, text);
}

} // namespace compare
