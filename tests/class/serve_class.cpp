// SPDX-License-Identifier: GPL-3.0-or-later
// A class session with its server and no window, for the page's browser
// test: prints the address line as the program does, and on a line
// "pool" from stdin, the pooled throws and hits.
// Usage: serve_class points|needles [port]
#include "class/Server.h"
#include "class/Session.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTemporaryDir folder;
    classroom::Settings settings;
    settings.experiment = arguments.value(1) == QLatin1String("needles") ? classthrows::Experiment::Needles
                                                                          : classthrows::Experiment::Points;
    settings.database = folder.filePath(QStringLiteral("class.sqlite"));
    classroom::Session session(settings);
    classroom::Server server(session);
    const auto listening = server.listen(quint16(arguments.value(2, QStringLiteral("0")).toUInt()));
    if (listening != classroom::Server::Listening::Yes) {
        std::fprintf(stderr, "cannot listen (%s)\n",
                     listening == classroom::Server::Listening::PortTaken ? "port taken" : "refused");
        return 1;
    }
    QTextStream out(stdout);
    out << "http://127.0.0.1:" << server.port() << "/ " << session.code() << Qt::endl;

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64];
        if (!std::fgets(line, sizeof line, stdin))
            return app.quit();
        const auto pool = session.pooled();
        out << "pool " << pool.n << ' ' << pool.hits << Qt::endl;
    });
    return app.exec();
}
