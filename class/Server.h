// SPDX-License-Identifier: GPL-3.0-or-later
// The class session on the room's network: Qt's HTTP server serves the
// pupils' page from the program's resources, and its WebSockets carry the
// messages to and from the session. Nothing else is served.
#pragma once

#include "class/Session.h"

#include <QObject>
#include <QString>

#include <memory>

namespace classroom {

// The port a school's IT staff open once; --port changes it.
constexpr quint16 defaultPort = 31415;

class Server : public QObject {
    Q_OBJECT

public:
    enum class Listening { Yes, PortTaken, Refused };

    explicit Server(Session& session, QObject* parent = nullptr);
    ~Server() override;

    // On every interface of this machine.
    Listening listen(quint16 port = defaultPort);
    quint16 port() const;

    // http://<this machine's LAN address>:<port>/, the address pupils type.
    QString address() const;
    // The same with the code in it, for the QR code: scanning fills it in.
    QString joinLink() const;

    // The first IPv4 address of an interface that is up and not loopback;
    // 127.0.0.1 when there is none.
    static QString lanAddress();

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace classroom
