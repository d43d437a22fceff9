// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "ClassSession.h"
#include "Form1.h"
#include "Language.h"
#include "Observers.h"
#include "Options.h"
#include "Projector.h"
#include "Windows.h"
#include "charts/ChartsModule.h"
#include "class/ClassWindow.h"
#include "rules/Table.h"
#include "lesson/Lesson.h"
#include "platform/Marks.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace shell {

int run(int argc, char* argv[])
{
    const Options options = parseOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "sorvena: %s (see sorvena --help)\n", options.error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("sorvena %s\n", SORVENA_VERSION);
        return 0;
    }
    // Before any application object: a table needs no display.
    if (options.table)
        return compare::writeTable(options.table->method, options.table->count, options.table->seed,
                                   options.table->continuous, stdout, stderr);

    // Window sizes are laid out for 96 dpi (15 twips to the pixel).
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    if (options.lesson)
        if (const char* platform = lesson::placeablePlatform(std::getenv("QT_QPA_PLATFORM"),
                                                             std::getenv("XDG_SESSION_TYPE"), std::getenv("DISPLAY")))
            qputenv("QT_QPA_PLATFORM", platform);
    lesson::Layout controller = lesson::Layout::Full;
    if (options.projector)
        controller = setProjectorScale(argc, argv, options.lesson,
                                       options.classSession ? classroom::ClassWindow::designArea() : QSize());
    QApplication app(argc, argv);
    if (options.projector)
        platform::setMarks(platform::projectorMarks());
    installTranslation(QLocale::system().uiLanguages());
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
    // Hiding the last visible window between two windows must not end the
    // program; only the quit confirmation does.
    QApplication::setQuitOnLastWindowClosed(false);
    // Lets Wayland docks match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sorvena.Sorvena"));
    if (options.classSession) {
        // The class window alone; closing it ends the session and the program.
        if (openClassSession(options.classSession->experiment, options.classSession->port) != ClassStarted::Yes)
            return 1;
        QApplication::setQuitOnLastWindowClosed(true);
    } else if (options.compare) {
        // The comparison alone; closing it ends the program.
        QString why;
        if (!charts::chartsModule(&why)) {
            std::fprintf(stderr, "sorvena: no comparison without the chart module: %s\n", qPrintable(why));
            return 1;
        }
        QApplication::setQuitOnLastWindowClosed(true);
        QWidget* comparison = charts::openComparison();
        if (comparison && options.compareSeed)
            comparison->setProperty("seed", QVariant::fromValue(quint64(*options.compareSeed)));
    } else {
        if (options.lesson) {
            const lesson::Parts parts = lesson::start(controller);
            observeRuns(&parts.pace, &parts.controller);
            offerClassSessions(parts.controller);
        } else {
            observeRuns();
        }
        form1().Show();
    }
    return QApplication::exec();
}

} // namespace shell
