// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include "class/Server.h"

#include <charconv>

namespace shell {

namespace {
// Qt's options that are followed by a value.
bool takesValue(const std::string& option)
{
    static const char* const withValue[] = {"-platform", "-platformpluginpath", "-platformtheme", "-plugin",
                                            "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-style",
                                            "-stylesheet", "-session", "-display", "-geometry", "-title", "-name"};
    for (const char* o : withValue)
        if (option == o)
            return true;
    return false;
}
} // namespace

// Our own parser, not QCommandLineParser: Qt's own options (-platform,
// -style and the rest, some with a value) must pass through to QApplication
// in a window's run, and --table must be decided before any Qt object
// exists, so that it writes its table on a machine without a display.
Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    std::vector<std::string> positional;
    std::vector<std::string> qtOptions;
    std::optional<std::string> seed;
    bool continuous = false;
    std::optional<std::string> experiment;
    std::optional<std::string> port;
    auto fail = [&options](std::string message) {
        if (options.error.empty())
            options.error = std::move(message);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h")
            options.help = true;
        else if (a == "--version")
            options.version = true;
        else if (a == "--projector")
            options.projector = true;
        else if (a == "--lesson")
            options.lesson = true;
        else if (a == "--compare")
            options.compare = true;
        else if (a == "--table") {
            if (options.table)
                fail("--table given twice");
            else if (i + 1 >= arguments.size() || arguments[i + 1].starts_with("-"))
                fail("--table needs a method");
            else
                options.table = TableRequest{arguments[++i], {}, {}};
        } else if (a == "--seed" || a.starts_with("--seed=")) {
            if (seed)
                fail("--seed given twice");
            else if (a != "--seed")
                seed = a.substr(7);
            else if (i + 1 < arguments.size())
                seed = arguments[++i];
            else
                fail("--seed needs a number");
        } else if (a == "--class") {
            if (experiment)
                fail("--class given twice");
            else if (i + 1 >= arguments.size() || arguments[i + 1].starts_with("-"))
                fail("--class needs an experiment: montecarlo or buffon");
            else
                experiment = arguments[++i];
        } else if (a == "--port" || a.starts_with("--port=")) {
            if (port)
                fail("--port given twice");
            else if (a != "--port")
                port = a.substr(7);
            else if (i + 1 < arguments.size())
                port = arguments[++i];
            else
                fail("--port needs a number");
        } else if (a == "--continuous") {
            continuous = true;
        } else if (a.starts_with("--")) {
            fail("unknown option " + a);
        } else if (a.starts_with("-") && a.size() > 1) {
            // Qt's own; QApplication takes it, and its value, later.
            qtOptions.push_back(a);
            if (takesValue(a) && i + 1 < arguments.size())
                ++i;
        } else {
            positional.push_back(a);
        }
    }

    if (options.table) {
        // No window, so no option of Qt's applies: "-3" is a mistyped count.
        if (!qtOptions.empty())
            fail("unknown option " + qtOptions.front());
        if (!positional.empty())
            options.table->count = positional.front();
        if (positional.size() > 1)
            fail("unexpected argument " + positional[1]);
        options.table->seed = seed;
        options.table->continuous = continuous;
    } else {
        if (continuous)
            fail("--continuous applies only to --table");
        if (!positional.empty())
            fail("unexpected argument " + positional.front());
        if (seed && !options.compare)
            fail("--seed applies only to --table and --compare");
        if (seed && options.compare) {
            std::uint64_t value = 0;
            const char* end = seed->data() + seed->size();
            const auto [at, error] = std::from_chars(seed->data(), end, value);
            if (seed->empty() || error != std::errc() || at != end)
                fail("the seed must be a whole number from 0 to 18446744073709551615, not " + *seed);
            else
                options.compareSeed = value;
        }
    }
    if (options.table && (options.projector || options.lesson || options.compare || experiment))
        fail("--table writes a table and opens no window; give it alone");
    if (experiment) {
        ClassRequest request{classthrows::Experiment::Points, classroom::defaultPort};
        if (*experiment == "buffon")
            request.experiment = classthrows::Experiment::Needles;
        else if (*experiment != "montecarlo")
            fail("--class takes montecarlo or buffon, not " + *experiment);
        if (port) {
            unsigned value = 0;
            const char* end = port->data() + port->size();
            const auto [last, error] = std::from_chars(port->data(), end, value);
            if (port->empty() || error != std::errc() || last != end || value < 1 || value > 65535)
                fail("--port takes a number from 1 to 65535, not " + *port);
            request.port = std::uint16_t(value);
        }
        if (options.lesson || options.compare)
            fail("--class opens the class window alone; give it without --lesson and --compare");
        options.classSession = request;
    } else if (port) {
        fail("--port applies only to --class");
    }
    return options;
}

std::string usage()
{
    return "Usage: sorvena [--projector] [--lesson] [--compare [--seed S]]\n"
           "       sorvena --class EXPERIMENT [--port N] [--projector]\n"
           "       sorvena --table METHOD [N] [--seed S] [--continuous]\n"
           "\n"
           "Shows how pi can be approximated, each method in a window of its own.\n"
           "\n"
           "  --projector   scale every window to fill a projector's screen\n"
           "  --lesson      lesson mode: set the pace, pause and step a run\n"
           "  --compare     open the window that compares the eight methods\n"
           "  --class       host a class session on the room's network: pupils join from\n"
           "                a browser with a code and pool their throws; EXPERIMENT is\n"
           "                montecarlo or buffon. Prints the address and the code\n"
           "  --port N      the port of the class session (default 31415)\n"
           "  --table       write the steps of one method as CSV to standard output;\n"
           "                METHOD is polygon, montecarlo, buffon, wallis, leibniz,\n"
           "                euler, matsunaga1 or matsunaga2 (polygon: with the circumscribed\n"
           "                polygon too), or archimedes: the doubling from the hexagon\n"
           "  --seed S      the random seed of an experiment's table, or of the comparison's experiments\n"
           "  --continuous  an experiment's points and needles thrown anywhere, in double\n"
           "                precision, instead of on its window's grid\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n";
}

} // namespace shell
