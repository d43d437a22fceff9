// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassWindow.h"

#include "PoolChart.h"
#include "QrCode.h"
#include "class/Server.h"
#include "platform/Controls.h"
#include "platform/Services.h"
#include "platform/accessible/Factory.h"
#include "platform/accessible/Narrator.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace classroom {

namespace {

enum Column { Name, State, Throws, Verified, Rejected, Columns };

// Counts with their thousands marked, in every language the same.
QString count(std::uint64_t n)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c.toString(qulonglong(n));
}

QLabel* label(QWidget* parent, const char* name, double points, bool bold = false)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    // Nothing here is markup, least of all what a pupil typed.
    l->setTextFormat(Qt::PlainText);
    l->setFont(platform::japaneseFont(platform::Face::Gothic, points, bold));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, bool checkable = false)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCheckable(checkable);
    b->setAutoDefault(true);
    return b;
}

} // namespace

ClassWindow::ClassWindow(Session& session, const Server& server, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , session_(session)
    , server_(server)
{
    // A frame to a screen reader, which reads its title; this also brings
    // the program's accessibility, whose announcements the window makes.
    platform::accessible::setKind(this, platform::accessible::Kind::Frame);
    setObjectName(QStringLiteral("ClassWindow"));
    setWindowTitle(session.experiment() == classthrows::Experiment::Points ? tr("クラスの実験：モンテカルロ法")
                                                                           : tr("クラスの実験：ビュホンの針"));
    resize(designArea());

    // How to join.
    qr_ = new QrCode(this);
    qr_->setObjectName(QStringLiteral("qr"));
    qr_->setFixedSize(220, 220);
    qr_->setAccessibleName(tr("参加用の QR コード"));
    auto* addressCaption = label(this, "addressCaption", 12);
    addressCaption->setText(tr("ブラウザーでこのアドレスを開いてください"));
    address_ = label(this, "address", 26, true);
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* codeCaption = label(this, "codeCaption", 12);
    codeCaption->setText(tr("参加コード"));
    code_ = label(this, "code", 34, true);
    QFont codeFont = code_->font();
    codeFont.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    code_->setFont(codeFont);
    counts_ = label(this, "counts", 13);

    // The class's result.
    auto* pooledCaption = label(this, "pooledCaption", 11);
    pooledCaption->setText(tr("クラス全体で投げた数"));
    pooled_ = label(this, "pooled", 20, true);
    auto* estimateCaption = label(this, "estimateCaption", 11);
    estimateCaption->setText(tr("クラスの π の推定値"));
    estimate_ = label(this, "estimate", 28, true);
    auto* bandCaption = label(this, "bandCaption", 11);
    bandCaption->setText(tr("1/√n が予想する幅（95%）"));
    band_ = label(this, "band", 15);
    band_->setWordWrap(true);
    chart_ = new PoolChart(this);
    chart_->setObjectName(QStringLiteral("chart"));
    chart_->setAccessibleName(tr("クラスの推定値のグラフ"));

    roster_ = new QTableWidget(0, Columns, this);
    roster_->setObjectName(QStringLiteral("roster"));
    roster_->setAccessibleName(tr("参加した生徒"));
    roster_->setHorizontalHeaderLabels({tr("名前"), tr("状態"), tr("投げた数"), tr("確認済み"), tr("不一致")});
    roster_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    roster_->setSelectionBehavior(QAbstractItemView::SelectRows);
    roster_->setSelectionMode(QAbstractItemView::SingleSelection);
    roster_->verticalHeader()->hide();
    // The names whole; on a narrow screen the counts scroll instead.
    roster_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    roster_->horizontalHeader()->setStretchLastSection(true);
    roster_->setWordWrap(false);

    // The teacher's controls.
    pause_ = button(this, "pause", tr("全員一時停止"), true);
    lock_ = button(this, "lock", tr("参加を締め切る"), true);
    remove_ = button(this, "remove", tr("選んだ生徒を外す"));
    reset_ = button(this, "reset", tr("リセット…"));
    exportCsv_ = button(this, "exportCsv", tr("CSV を保存…"));
    exportChart_ = button(this, "exportChart", tr("グラフを保存…"));
    nicknames_ = new QCheckBox(tr("ニックネームを表示"), this);
    nicknames_->setObjectName(QStringLiteral("nicknames"));
    help_ = button(this, "help", tr("つながらないときは"));

    auto* joining = new QVBoxLayout;
    joining->setSpacing(2);
    joining->addWidget(addressCaption);
    joining->addWidget(address_);
    joining->addSpacing(6);
    joining->addWidget(codeCaption);
    joining->addWidget(code_);
    joining->addWidget(counts_);
    joining->addStretch();
    // Out of the way of the buttons below, which a narrow screen needs.
    auto* aside = new QVBoxLayout;
    aside->addWidget(help_, 0, Qt::AlignRight);
    aside->addWidget(nicknames_, 0, Qt::AlignRight);
    aside->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(qr_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(joining, 1);
    top->addLayout(aside);

    auto* results = new QVBoxLayout;
    results->setSpacing(0);
    for (QLabel* caption : {pooledCaption, estimateCaption, bandCaption})
        caption->setContentsMargins(0, 6, 0, 0);
    for (QLabel* l : {pooledCaption, pooled_, estimateCaption, estimate_, bandCaption, band_})
        results->addWidget(l);
    results->addSpacing(8);
    results->addWidget(roster_, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(chart_, 3);
    middle->addLayout(results, 2);

    auto* controls = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{pause_, lock_, remove_, reset_, exportCsv_, exportChart_})
        controls->addWidget(w);
    controls->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(middle, 1);
    column->addLayout(controls);

    redraw_ = new QTimer(this);
    redraw_->setSingleShot(true);
    redraw_->setInterval(redrawMs);
    connect(redraw_, &QTimer::timeout, this, &ClassWindow::showPool);
    readings_ = new QTimer(this);
    readings_->setSingleShot(true);
    readings_->setInterval(readingsMs);
    connect(readings_, &QTimer::timeout, this, &ClassWindow::updateReadings);
    rosterRedraw_ = new QTimer(this);
    rosterRedraw_->setSingleShot(true);
    rosterRedraw_->setInterval(rosterMs);
    connect(rosterRedraw_, &QTimer::timeout, this, &ClassWindow::showRoster);
    connect(&session_, &Session::changed, this, [this] {
        if (!redraw_->isActive())
            redraw_->start();
        if (!rosterRedraw_->isActive())
            rosterRedraw_->start();
    });

    connect(pause_, &QPushButton::clicked, this, [this](bool on) {
        session_.setPaused(on);
        refresh();
    });
    connect(lock_, &QPushButton::clicked, this, [this](bool on) {
        session_.setJoiningLocked(on);
        refresh();
    });
    connect(remove_, &QPushButton::clicked, this, &ClassWindow::removeSelected);
    connect(reset_, &QPushButton::clicked, this, &ClassWindow::resetPool);
    connect(exportCsv_, &QPushButton::clicked, this, &ClassWindow::exportCsv);
    connect(exportChart_, &QPushButton::clicked, this, &ClassWindow::exportChart);
    connect(nicknames_, &QCheckBox::toggled, this, &ClassWindow::showRoster);
    connect(help_, &QPushButton::clicked, this, &ClassWindow::showHelp);
    connect(roster_, &QTableWidget::itemSelectionChanged, this, &ClassWindow::showSelection);

    refresh();
    updateReadings();
}

ClassWindow::~ClassWindow() = default;

QSize ClassWindow::designArea() { return {1000, 700}; }

void ClassWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

void ClassWindow::showEvent(QShowEvent* event)
{
    // No larger than the screen, frame included, at whatever scale the
    // other windows chose (lesson mode's projector scale among them).
    if (!fitted_ && screen()) {
        fitted_ = true;
        resize(designArea().boundedTo(screen()->availableGeometry().size() - QSize(16, 40)));
    }
    // The server listens by now: its port is in the address.
    addressAt_ = 0;
    QWidget::showEvent(event);
    refresh();
    updateReadings();
}

void ClassWindow::resizeEvent(QResizeEvent* event)
{
    // The QR code gives way first on a small screen.
    const int side = std::clamp(height() / 3, 150, 240);
    qr_->setFixedSize(side, side);
    QWidget::resizeEvent(event);
}

void ClassWindow::refresh()
{
    showPool();
    showRoster();
}

void ClassWindow::showPool()
{
    redraw_->stop();
    showJoining();
    showResult();
    if (!readings_->isActive())
        readings_->start();
}

void ClassWindow::showJoining()
{
    // The machine's address is looked up through every interface: anew
    // with a new code, else every few seconds (a laptop may change networks).
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (code_->text() != session_.code() || now - addressAt_ >= readingsMs) {
        addressAt_ = now;
        address_->setText(server_.address());
        code_->setText(session_.code());
        qr_->setText(server_.joinLink());
    }
    qsizetype joined = 0;
    for (const Pupil& pupil : session_.roster())
        joined += pupil.state != PupilState::Removed;
    QString counts = tr("参加 %1 人・接続中 %2 人").arg(joined).arg(session_.connected());
    if (session_.joiningLocked())
        counts += tr("（参加は締め切りました）");
    counts_->setText(counts);
    pause_->setChecked(session_.paused());
    pause_->setText(session_.paused() ? tr("全員再開") : tr("全員一時停止"));
    lock_->setChecked(session_.joiningLocked());
    lock_->setText(session_.joiningLocked() ? tr("参加を受け付ける") : tr("参加を締め切る"));
}

void ClassWindow::showResult()
{
    const classthrows::Tally pooled = session_.pooled();
    const auto estimate = classthrows::estimate(session_.experiment(), pooled.n, pooled.hits);
    pooled_->setText(count(pooled.n));
    if (estimate) {
        const double half = 1.96 * estimate->standardError;
        estimate_->setText(QString::number(estimate->value, 'f', 5));
        band_->setText(tr("±%1（%2～%3）")
                           .arg(QString::number(half, 'f', 5), QString::number(estimate->value - half, 'f', 5),
                                QString::number(estimate->value + half, 'f', 5)));
    } else {
        estimate_->setText(tr("―"));
        band_->setText(tr("―"));
    }
    QList<PupilPoint> pupils;
    for (const Pupil& pupil : session_.roster())
        if (const auto own = classthrows::estimate(session_.experiment(), pupil.verified.n, pupil.verified.hits))
            pupils.append({pupil.verified.n, own->value});
    chart_->setPool(session_.experiment(), session_.history(), pupils);
}

void ClassWindow::showRoster()
{
    rosterRedraw_->stop();
    static const char* const states[] = {
        QT_TRANSLATE_NOOP("classroom::ClassWindow", "投げている"),
        QT_TRANSLATE_NOOP("classroom::ClassWindow", "待っている"),
        QT_TRANSLATE_NOOP("classroom::ClassWindow", "抜けた"),
        QT_TRANSLATE_NOOP("classroom::ClassWindow", "外した"),
    };
    // A pupil keeps their row: the roster only grows, until a reset
    // empties it, so the selection stays on the same pupil.
    const QList<Pupil>& roster = session_.roster();
    roster_->setRowCount(int(roster.size()));
    const auto cell = [this](int row, int column, const QString& text, Qt::Alignment align = Qt::AlignLeft) {
        QTableWidgetItem* item = roster_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(align | Qt::AlignVCenter);
            roster_->setItem(row, column, item);
        }
        if (item->text() != text)
            item->setText(text);
        return item;
    };
    for (int row = 0; row < roster.size(); ++row) {
        const Pupil& pupil = roster[row];
        // The nickname only when the teacher asks: the projector shows
        // every pupil's choice to the whole class.
        const bool nickname = nicknames_->isChecked() && !pupil.nickname.isEmpty();
        cell(row, Name, nickname ? pupil.nickname : pupil.pseudonym)->setData(Qt::UserRole, pupil.id);
        cell(row, State, tr(states[int(pupil.state)]));
        cell(row, Throws, count(pupil.verified.n), Qt::AlignRight);
        cell(row, Verified, QString::number(pupil.verifiedChunks), Qt::AlignRight);
        cell(row, Rejected, QString::number(pupil.rejectedChunks), Qt::AlignRight);
    }
    showSelection();
}

void ClassWindow::showSelection()
{
    const QList<QTableWidgetItem*> selected = roster_->selectedItems();
    bool removable = false;
    if (!selected.isEmpty()) {
        const int id = roster_->item(selected.first()->row(), Name)->data(Qt::UserRole).toInt();
        for (const Pupil& pupil : session_.roster())
            removable |= pupil.id == id && pupil.state != PupilState::Removed;
    }
    remove_->setEnabled(removable);
}

void ClassWindow::updateReadings()
{
    // A screen reader gets the result at a pace it can speak, not at every
    // chunk: the names now and then, an announcement rarely.
    readings_->stop();
    // Each new name is an event to the reader: only those that changed.
    const auto name = [](QWidget* widget, const QString& text) {
        if (widget->accessibleName() != text)
            widget->setAccessibleName(text);
    };
    name(pooled_, tr("クラス全体で投げた数 %1").arg(pooled_->text()));
    name(estimate_, tr("クラスの π の推定値 %1").arg(estimate_->text()));
    name(band_, tr("1/√n が予想する幅（95%） %1").arg(band_->text()));
    name(address_, tr("参加のアドレス %1").arg(address_->text()));
    // Read letter by letter.
    name(code_, tr("参加コード %1").arg(code_->text().split(QString(), Qt::SkipEmptyParts).join(QLatin1Char(' '))));
    if (const QString description = chartDescription(); chart_->accessibleDescription() != description)
        chart_->setAccessibleDescription(description);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastAnnounced_ >= announceMs)
        if (const QString said = news(); !said.isEmpty()) {
            platform::narrator::announce(this, said);
            lastAnnounced_ = now;
        }
}

QString ClassWindow::news()
{
    QStringList said;
    // Joins grouped, however many came at once.
    const int joined = int(session_.roster().size());
    if (joined < joinedSaid_) // a reset
        joinedSaid_ = milestoneSaid_ = 0;
    if (joined > joinedSaid_)
        said << tr("%1 人が参加しました（全部で %2 人）").arg(joined - joinedSaid_).arg(joined);
    joinedSaid_ = joined;
    // Milestones at 1, 2 and 5 times a power of ten from a thousand; only
    // the last one passed.
    const classthrows::Tally pool = session_.pooled();
    std::uint64_t milestone = 0;
    for (std::uint64_t decade = 1000; decade <= pool.n; decade *= 10)
        for (const std::uint64_t step : {decade, 2 * decade, 5 * decade})
            if (step <= pool.n)
                milestone = step;
    const auto estimate = classthrows::estimate(session_.experiment(), pool.n, pool.hits);
    if (milestone > milestoneSaid_ && estimate) {
        said << tr("クラスで %1 回投げました：π ≈ %2")
                    .arg(count(milestone), QString::number(estimate->value, 'f', 3));
        milestoneSaid_ = milestone;
    }
    return said.join(tr("。"));
}

QString ClassWindow::chartDescription() const
{
    qsizetype pupils = 0;
    for (const Pupil& pupil : session_.roster())
        pupils += pupil.verified.n > 0;
    return tr("クラス全体の推定値は %1 回で %2、幅 %3。ひとりひとりの推定値 %4 個。")
        .arg(pooled_->text(), estimate_->text(), band_->text())
        .arg(pupils);
}

void ClassWindow::removeSelected()
{
    const QList<QTableWidgetItem*> selected = roster_->selectedItems();
    if (selected.isEmpty())
        return;
    session_.remove(roster_->item(selected.first()->row(), Name)->data(Qt::UserRole).toInt());
    refresh();
}

void ClassWindow::resetPool()
{
    if (platform::MsgBox(this, tr("クラスの結果をすべて消して、新しい参加コードで始めなおしますか？"), windowTitle())
        != platform::vbYes)
        return;
    session_.reset();
    refresh();
    updateReadings();
}

void ClassWindow::exportCsv()
{
    QString path = QFileDialog::getSaveFileName(this, tr("CSV を保存"), QStringLiteral("sorvena-class.csv"),
                                                tr("CSV ファイル (*.csv)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    saved(path, session_.exportCsv(path));
}

void ClassWindow::exportChart()
{
    const QString png = tr("PNG 画像 (*.png)");
    const QString svg = tr("SVG 画像 (*.svg)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(this, tr("グラフを保存"), QStringLiteral("sorvena-class.png"),
                                                png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)
        && !path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    saved(path, chart_->save(path, windowTitle(), chartDescription()));
}

void ClassWindow::saved(const QString& path, bool done)
{
    if (done)
        platform::narrator::announce(this, tr("保存しました：%1").arg(QDir::toNativeSeparators(path)));
    else
        QMessageBox::warning(this, windowTitle(), tr("%1 に保存できませんでした。").arg(path));
}

void ClassWindow::showHelp()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("つながらないときは"));
    box.setTextFormat(Qt::PlainText);
    box.setText(tr("生徒の端末からこのアドレスが開けないとき："));
    box.setInformativeText(
        tr("・生徒の端末が、このコンピューターと同じネットワーク（同じ Wi-Fi）につながっているか確かめてください。\n"
           "・Wi-Fi の「クライアント分離」（AP アイソレーション）が有効だと、端末どうしはつながりません。"
           "ネットワークの管理者に、この教室のネットワークで切ってもらってください。\n"
           "・このコンピューターのファイアウォールがポート %1 をふさいでいるかもしれません。"
           "ufw なら次のコマンドで開きます：\n"
           "sudo ufw allow %1/tcp\n"
           "・アドレスは数字まで正確に打ってください。QR コードを読み取れば、参加コードも入ります。")
            .arg(server_.port()));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setStandardButtons(QMessageBox::Close);
    box.exec();
}

} // namespace classroom
