// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassSession.h"

#include "class/ClassWindow.h"
#include "class/Server.h"
#include "class/Session.h"
#include "lesson/LessonController.h"
#include "platform/Form.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QTcpServer>

#include <cstdio>
#include <memory>
#include <optional>

namespace shell {

namespace {

// The texts' translation context.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(shell::ClassSession)
};

struct Open {
    classroom::Session session;
    classroom::Server server;
    classroom::ClassWindow window;

    Open(const classroom::Settings& settings, classroom::Session::Start start)
        : session(settings, start)
        , server(session)
        , window(session, server)
    {
    }
};

std::unique_ptr<Open>& current()
{
    static std::unique_ptr<Open> open;
    return open;
}

ClassStarted refuse(QWidget* owner, const QString& words, const std::string& english)
{
    std::fprintf(stderr, "sorvena: %s\n", english.c_str());
    QMessageBox::warning(owner, Texts::tr("クラスの実験"), words);
    return ClassStarted::No;
}

ClassStarted portTaken(QWidget* owner, quint16 port)
{
    return refuse(owner,
                  Texts::tr("ポート %1 は、ほかのプログラムが使っています。\n"
                            "そのプログラムを終えるか、別のポートを --port で選んでください"
                            "（例：--port %2）。")
                      .arg(port)
                      .arg(port == 65535 ? 31416 : port + 1),
                  "port " + std::to_string(port)
                      + " is already in use by another program; end it, or choose another port with --port");
}

} // namespace

ClassStarted openClassSession(classthrows::Experiment experiment, quint16 port, QWidget* owner)
{
    std::unique_ptr<Open>& open = current();
    if (open && open->session.experiment() == experiment) {
        open->window.show();
        open->window.raise();
        open->window.activateWindow();
        return ClassStarted::Yes;
    }
    // The port is the earlier session's until it ends.
    open.reset();

    // Before any question: a port already taken ends it at once.
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::Any, port) && probe.serverError() == QAbstractSocket::AddressInUseError)
            return portTaken(owner, port);
    }
    classroom::Settings settings;
    settings.experiment = experiment;
    auto start = classroom::Session::Start::Fresh;
    if (classroom::Session::resumable(settings)
        && platform::MsgBox(owner,
                            Texts::tr("前回のクラスの結果が残っています。その結果に続けて投げますか？\n"
                                 "「いいえ」を選ぶと、新しく始めます。"),
                            Texts::tr("クラスの実験"))
               == platform::vbYes)
        start = classroom::Session::Start::Resume;
    open = std::make_unique<Open>(settings, start);
    if (!open->session.isOpen()) {
        const QString why = open->session.error();
        open.reset();
        return refuse(owner, Texts::tr("クラスの結果を記録するデータベースを開けませんでした：%1").arg(why),
                      "cannot open the class session's database: " + why.toStdString());
    }
    switch (open->server.listen(port)) {
    case classroom::Server::Listening::Yes:
        break;
    case classroom::Server::Listening::PortTaken:
        open.reset();
        return portTaken(owner, port);
    case classroom::Server::Listening::Refused:
        open.reset();
        return refuse(owner,
                      Texts::tr("ポート %1 で待ち受けることができませんでした。\n"
                           "別のポートを --port で選んでください（例：--port 31415）。")
                          .arg(port),
                      "cannot listen on port " + std::to_string(port) + "; choose another port with --port");
    }
    // One line, for whoever started the program from a terminal or a script.
    std::printf("%s %s\n", qPrintable(open->server.address()), qPrintable(open->session.code()));
    std::fflush(stdout);
    // Closing the window ends the session and frees the port, once the
    // close is over; the program's end does too, while the application lives.
    QObject::connect(&open->window, &classroom::ClassWindow::closed, qApp, [closing = open.get()] {
        QMetaObject::invokeMethod(
            qApp,
            [closing] {
                if (current().get() == closing)
                    current().reset();
            },
            Qt::QueuedConnection);
    });
    static const bool once = QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { current().reset(); });
    Q_UNUSED(once);
    open->window.show();
    return ClassStarted::Yes;
}

void offerClassSessions(lesson::LessonController& controller)
{
    const auto experimentOf = [](const platform::Form& form) -> std::optional<classthrows::Experiment> {
        // By name: asking shell::form19() would make the window.
        if (form.objectName() == QLatin1String("Form19"))
            return classthrows::Experiment::Points;
        if (form.objectName() == QLatin1String("Form20"))
            return classthrows::Experiment::Needles;
        return std::nullopt;
    };
    controller.setClassSessionOffered([experimentOf](const platform::Form& form) { return experimentOf(form).has_value(); });
    QObject::connect(&controller, &lesson::LessonController::classSessionRequested, &controller,
                     [experimentOf](platform::Form& form) {
                         if (const auto experiment = experimentOf(form))
                             openClassSession(*experiment, classroom::defaultPort, &form);
                     });
}

} // namespace shell
