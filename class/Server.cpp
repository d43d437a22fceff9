// SPDX-License-Identifier: GPL-3.0-or-later
#include "Server.h"

#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QNetworkInterface>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

namespace classroom {

namespace {

struct PageFile {
    const char* path;
    const char* resource;
    const char* type;
};
// The page opens its WebSocket here.
constexpr char socketPath[] = "/socket";

constexpr PageFile pageFiles[] = {
    {"/", ":/class/index.html", "text/html; charset=utf-8"},
    {"/index.html", ":/class/index.html", "text/html; charset=utf-8"},
    {"/page.js", ":/class/page.js", "text/javascript; charset=utf-8"},
    {"/throws.js", ":/class/throws.js", "text/javascript; charset=utf-8"},
    {"/page.css", ":/class/page.css", "text/css; charset=utf-8"},
};

// Sockets open at once, pages and WebSockets together: enough for a full
// class with a few tabs each, few enough that a flood cannot exhaust the
// teacher's file descriptors.
constexpr int maxSockets = 512;
// An HTTP connection that has not become a WebSocket is closed after this
// long, so that idle or half-sent requests do not hold the slots above.
constexpr int httpIdleMs = 30'000;

// A Host header fit to be named in the page's connect-src.
const QRegularExpression plainHost(QStringLiteral(R"(^[A-Za-z0-9.\-]+(:[0-9]{1,5})?$|^\[[0-9A-Fa-f:.]+\](:[0-9]{1,5})?$)"));

QByteArray securityPolicy(const QByteArray& host)
{
    // 'self' covers ws: to the same host in current browsers; older Safari
    // wants the address spelt out.
    QByteArray connect = "'self'";
    if (plainHost.match(QString::fromLatin1(host)).hasMatch())
        connect += " ws://" + host;
    return "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src " + connect
           + "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

// Counts its sockets and closes those past the limit; QAbstractHttpServer
// takes the rest from here as from any QTcpServer. Each socket has an idle
// timer that ends it, unless it becomes a WebSocket.
class CappedTcpServer : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

    void upgraded(const QWebSocket* webSocket)
    {
        for (const QPointer<QTcpSocket>& socket : std::as_const(open_)) {
            if (socket && socket->peerPort() == webSocket->peerPort()
                && socket->peerAddress() == webSocket->peerAddress()) {
                delete socket->findChild<QTimer*>(QLatin1String(idleTimer));
                return;
            }
        }
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        // Pointers, not a count kept by signals: QAbstractHttpServer cuts
        // every connection of a socket it hands to its WebSocket server.
        open_.removeIf([](const QPointer<QTcpSocket>& socket) { return socket.isNull(); });
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor) || open_.size() >= maxSockets) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        open_.append(socket);
        auto* idle = new QTimer(socket);
        idle->setObjectName(QLatin1String(idleTimer));
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        idle->start(httpIdleMs);
        addPendingConnection(socket);
    }

private:
    static constexpr char idleTimer[] = "idleTimer";
    QList<QPointer<QTcpSocket>> open_;
};

// Qt 6.4's QHttpServer hands a WebSocket upgrade over only when a route
// takes the request; a handler of our own serves the four files and takes
// the upgrade on one path, with the same headers on every answer.
class PageServer : public QAbstractHttpServer {
public:
    PageServer()
    {
        for (const auto& file : pageFiles) {
            QFile resource(QLatin1String(file.resource));
            if (resource.open(QIODevice::ReadOnly))
                files_.insert(QLatin1String(file.path), {resource.readAll(), file.type});
        }
    }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        const QString path = request.url().path();
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
            return path == QLatin1String(socketPath);
        const auto file = files_.constFind(path);
        if (request.method() != QHttpServerRequest::Method::Get || file == files_.cend())
            return false;
        respond(request, socket, QHttpServerResponder::StatusCode::Ok, file->first, file->second);
        return true;
    }

    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        respond(request, socket, QHttpServerResponder::StatusCode::NotFound, "Not found\n",
                "text/plain; charset=utf-8");
    }

private:
    static void respond(const QHttpServerRequest& request, QTcpSocket* socket,
                        QHttpServerResponder::StatusCode status, const QByteArray& body, const QByteArray& type)
    {
        QHttpServerResponder responder = makeResponder(request, socket);
        responder.writeStatusLine(status);
        responder.writeHeader("Content-Type", type);
        responder.writeHeader("Content-Length", QByteArray::number(body.size()));
        responder.writeHeader("Cache-Control", "no-store");
        responder.writeHeader("X-Content-Type-Options", "nosniff");
        responder.writeHeader("Referrer-Policy", "no-referrer");
        responder.writeHeader("Content-Security-Policy", securityPolicy(request.value("host")));
        responder.writeBody(body);
    }

    QHash<QString, std::pair<QByteArray, QByteArray>> files_; // by path: body, type
};

} // namespace

struct Server::State {
    explicit State(Session& session)
        : session(session)
    {
    }

    Session& session;
    PageServer http;
    QPointer<CappedTcpServer> tcp;
    QHash<Connection, QWebSocket*> sockets;
    Connection lastConnection = 0;
};

Server::Server(Session& session, QObject* parent)
    : QObject(parent)
    , d(std::make_unique<State>(session))
{
    connect(&d->http, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
        while (d->http.hasPendingWebSocketConnections()) {
            QWebSocket* socket = d->http.nextPendingWebSocketConnection().release();
            socket->setParent(this);
            d->tcp->upgraded(socket);
            socket->setMaxAllowedIncomingMessageSize(protocol::maxMessageBytes);
            socket->setMaxAllowedIncomingFrameSize(protocol::maxMessageBytes);
            // A browser always names the page that opened the socket: only
            // our own page may talk to the session. Programs send no origin.
            const QUrl origin(socket->origin());
            const QUrl target = socket->requestUrl();
            if (!socket->origin().isEmpty()
                && (origin.host() != target.host() || origin.port(80) != target.port(80))) {
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
                socket->deleteLater();
                continue;
            }
            const Connection connection = ++d->lastConnection;
            d->sockets.insert(connection, socket);
            connect(socket, &QWebSocket::textMessageReceived, this, [this, connection](const QString& text) {
                d->session.receive(connection, text.toUtf8());
            });
            // Binary frames have no place in the protocol: the session counts
            // them as malformed, like any other message it cannot read.
            connect(socket, &QWebSocket::binaryMessageReceived, this,
                    [this, connection] { d->session.receive(connection, QByteArray()); });
            connect(socket, &QWebSocket::disconnected, this, [this, connection, socket] {
                if (d->sockets.remove(connection))
                    d->session.disconnected(connection);
                socket->deleteLater();
            });
        }
    });

    connect(&session, &Session::send, this, [this](Connection connection, const QByteArray& message) {
        if (QWebSocket* socket = d->sockets.value(connection))
            socket->sendTextMessage(QString::fromUtf8(message));
    });
    connect(&session, &Session::drop, this, [this](Connection connection) {
        if (QWebSocket* socket = d->sockets.value(connection))
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
    });
}

Server::~Server()
{
    // The pupils' sockets first: closing, they would call handlers whose
    // table goes with the state.
    for (QWebSocket* socket : findChildren<QWebSocket*>(Qt::FindDirectChildrenOnly)) {
        socket->disconnect(this);
        delete socket;
    }
}

Server::Listening Server::listen(quint16 port)
{
    if (d->tcp)
        return Listening::Yes;
    auto* tcp = new CappedTcpServer(this);
    if (!tcp->listen(QHostAddress::Any, port)) {
        const bool taken = tcp->serverError() == QAbstractSocket::AddressInUseError;
        delete tcp;
        return taken ? Listening::PortTaken : Listening::Refused;
    }
    d->http.bind(tcp);
    d->tcp = tcp;
    return Listening::Yes;
}

quint16 Server::port() const
{
    return d->tcp ? d->tcp->serverPort() : 0;
}

QString Server::address() const
{
    return QStringLiteral("http://%1:%2/").arg(lanAddress()).arg(port());
}

QString Server::joinLink() const
{
    return address() + QStringLiteral("?code=") + d->session.code();
}

QString Server::lanAddress()
{
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning)
            || (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLinkLocal())
                return ip.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

} // namespace classroom
