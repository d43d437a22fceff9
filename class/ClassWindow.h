// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window of a class session, projected in front of the
// class: how to join (the address, its QR code, the code), the class's
// pooled result with the band 1/√n predicts and its chart, the roster, and
// the teacher's controls. It reads the session and calls its controls; the
// session's changes are redrawn together, at most every 100 ms, so that a
// roomful of pupils does not flood the screen.
#pragma once

#include "class/Session.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace classroom {

class PoolChart;
class QrCode;
class Server;

class ClassWindow : public QWidget {
    Q_OBJECT
public:
    ClassWindow(Session& session, const Server& server, QWidget* parent = nullptr);
    ~ClassWindow() override;

    // The client size it is laid out for at scale 1, for the projector's scale.
    static QSize designArea();

    // How often, at most, the screen follows the session, and a screen
    // reader the result.
    static constexpr int redrawMs = 100;
    static constexpr int rosterMs = 500; // each changed cell is an event to a screen reader
    static constexpr int readingsMs = 3000;
    static constexpr int announceMs = 10000;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void showPool(); // all but the roster
    void showJoining();
    void showResult();
    void showRoster();
    void updateReadings();
    void showSelection();
    void removeSelected();
    void resetPool();
    void exportCsv();
    void exportChart();
    void showHelp();
    void saved(const QString& path, bool done);
    // What is new since the last announcement: pupils who joined, and the
    // last milestone the pool passed; empty when nothing is.
    QString news();
    QString chartDescription() const;

    Session& session_;
    const Server& server_;
    QTimer* redraw_;
    QTimer* rosterRedraw_;
    QTimer* readings_;
    qint64 lastAnnounced_ = 0; // ms since the epoch
    qint64 addressAt_ = 0; // when the address was last looked up
    int joinedSaid_ = 0; // pupils on the roster when joins were last said
    std::uint64_t milestoneSaid_ = 0;
    bool fitted_ = false;

    QrCode* qr_;
    QLabel* address_;
    QLabel* code_;
    QLabel* counts_;
    QLabel* pooled_;
    QLabel* estimate_;
    QLabel* band_;
    PoolChart* chart_;
    QTableWidget* roster_;
    QPushButton* pause_;
    QPushButton* lock_;
    QPushButton* remove_;
    QPushButton* reset_;
    QPushButton* exportCsv_;
    QPushButton* exportChart_;
    QCheckBox* nicknames_;
    QPushButton* help_;
};

} // namespace classroom
