// SPDX-License-Identifier: GPL-3.0-or-later
// The class window follows its session: pupils scripted with real protocol
// messages (their chunks counted by classthrows::hits, as their pages
// count them) drive the session, and the window's result, roster and
// controls must show what was pooled, within a second.
#include "class/ClassWindow.h"
#include "class/PoolChart.h"
#include "class/Server.h"
#include "class/Session.h"
#include "platform/accessible/Narrator.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace classroom;
using classthrows::Experiment;

class TestClassWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void result_data();
    void result();
    void roster_data();
    void roster();
    void nicknames();
    void reset_data();
    void reset();
    void exports_data();
    void exports();

private:
    struct Kid {
        Connection connection = 0;
        std::optional<protocol::Assign> assignment;
    };
    void open(Experiment experiment);
    void play(const QString& script);
    QString cell(int row, int column) const;
    template <class T>
    T* child(const char* name) const
    {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir_;
    qint64 clock_ = 0;
    Connection nextConnection_ = 1;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Server> server_;
    std::unique_ptr<ClassWindow> window_;
    QMap<int, Kid> kids_;
    classthrows::Tally honest_; // what the honest chunks threw, as sent
};

namespace {
QStringList announced;
void heard(QObject* source, int event)
{
    if (event == QAccessible::ObjectShow)
        announced << static_cast<QWidget*>(source)->accessibleName();
}
} // namespace

void TestClassWindow::init()
{
    kids_.clear();
    honest_ = {};
    announced.clear();
    platform::narrator::setListener(&heard);
}

void TestClassWindow::cleanup()
{
    platform::narrator::setListener(nullptr);
    window_.reset();
    server_.reset();
    session_.reset();
    QFile::remove(dir_.filePath("class.sqlite"));
}

void TestClassWindow::open(Experiment experiment)
{
    Settings settings;
    settings.experiment = experiment;
    settings.database = dir_.filePath("class.sqlite");
    settings.clock = [this] { return clock_; };
    session_ = std::make_unique<Session>(settings);
    QVERIFY2(session_->isOpen(), qPrintable(session_->error()));
    server_ = std::make_unique<Server>(*session_);
    window_ = std::make_unique<ClassWindow>(*session_, *server_);
    connect(session_.get(), &Session::send, this, [this](Connection c, const QByteArray& bytes) {
        const protocol::FromTeacher message = protocol::decodeFromTeacher(bytes);
        for (Kid& kid : kids_)
            if (const auto* assign = std::get_if<protocol::Assign>(&message); assign && kid.connection == c)
                kid.assignment = *assign;
    });
    window_->show();
}

// Steps "action kid" separated by commas: join (the nickname after a
// colon), throw (an honest chunk), forge (a chunk with one hit too many),
// leave, pause.
void TestClassWindow::play(const QString& script)
{
    for (const QString& step : script.split(',', Qt::SkipEmptyParts)) {
        const QStringList words = step.trimmed().split(' ');
        const QString action = words[0].section(':', 0, 0);
        Kid& kid = kids_[words.value(1).toInt()];
        clock_ += 1000; // well inside every pupil's rate
        const auto say = [&](const QByteArray& message) { session_->receive(kid.connection, message); };
        if (action == "join") {
            kid.connection = nextConnection_++;
            const QString nickname = words[0].section(':', 1).isEmpty() ? QStringLiteral("ab") : words[0].section(':', 1);
            say(QStringLiteral(R"({"v":1,"type":"join","code":"%1","nickname":"%2"})")
                    .arg(session_->code(), nickname)
                    .toUtf8());
        } else if (action == "throw" || action == "forge") {
            QVERIFY(kid.assignment);
            const protocol::Assign a = *kid.assignment;
            std::uint32_t hits = classthrows::hits(a.experiment, a.seed, a.throws);
            if (action == "throw")
                honest_.n += a.throws, honest_.hits += hits;
            else
                hits += hits < a.throws ? 1 : -1;
            say(QStringLiteral(R"({"v":1,"type":"chunk","chunk":%1,"seed":%2,"throws":%3,"hits":%4})")
                    .arg(a.chunk)
                    .arg(a.seed)
                    .arg(a.throws)
                    .arg(hits)
                    .toLatin1());
        } else if (action == "leave") {
            say(R"({"v":1,"type":"leave"})");
        } else if (action == "pause") {
            child<QPushButton>("pause")->click();
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

QString TestClassWindow::cell(int row, int column) const
{
    const QTableWidgetItem* item = child<QTableWidget>("roster")->item(row, column);
    return item ? item->text() : QString();
}

void TestClassWindow::result_data()
{
    QTest::addColumn<Experiment>("experiment");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("said"); // its one announcement, to the milestone's estimate
    QTest::newRow("nothing yet") << Experiment::Points << "join 1" << "1 人が参加しました（全部で 1 人）";
    QTest::newRow("one pupil") << Experiment::Points << "join 1, throw 1" << "1 人が参加しました（全部で 1 人）";
    QTest::newRow("forged chunk left out") << Experiment::Points << "join 1, join 2, throw 1, forge 2, throw 1"
                                           << "2 人が参加しました（全部で 2 人）";
    QTest::newRow("needles, three pupils")
        << Experiment::Needles << "join 1, join 2, join 3, throw 1, throw 2, throw 3, throw 1, throw 2, throw 3"
        << "3 人が参加しました（全部で 3 人）";
    QTest::newRow("past 2,000, the last milestone")
        << Experiment::Points << "join 1, join 2" + QString(", throw 1, throw 2").repeated(11)
        << "2 人が参加しました（全部で 2 人）。クラスで 2,000 回投げました：π ≈ ";
}

// The labels and the band come from the pool of the honest chunks alone.
void TestClassWindow::result()
{
    QFETCH(Experiment, experiment);
    QFETCH(QString, script);
    QFETCH(QString, said);
    open(experiment);
    play(script);
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("pooled")->text(), grouped.toString(qulonglong(honest_.n)), 1000);
    const auto expected = classthrows::estimate(experiment, honest_.n, honest_.hits);
    QCOMPARE(expected.has_value(), honest_.n > 0);
    if (expected) {
        QCOMPARE(child<QLabel>("estimate")->text(), QString::number(expected->value, 'f', 5));
        const double half = 1.96 * expected->standardError;
        QVERIFY2(child<QLabel>("band")->text().contains(QString::number(half, 'f', 5)), qPrintable(child<QLabel>("band")->text()));
        QVERIFY(child<QLabel>("band")->text().contains(QString::number(expected->value - half, 'f', 5)));
    }
    // Not a word for each chunk: joins grouped and the last milestone, once.
    QTRY_COMPARE(announced.size(), 1);
    if (said.endsWith(QStringLiteral("≈ ")))
        said += QString::number(expected->value, 'f', 3);
    QCOMPARE(announced.front(), said);
}

void TestClassWindow::roster_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("rows"); // state|throws|verified|rejected
    QTest::newRow("joined") << "join 1" << QStringList{"投げている|0|0|0"};
    QTest::newRow("verified and rejected")
        << "join 1, join 2, throw 1, forge 2" << QStringList{"投げている|100|1|0", "投げている|0|0|1"};
    QTest::newRow("left") << "join 1, throw 1, leave 1" << QStringList{"抜けた|100|1|0"};
    QTest::newRow("paused") << "join 1, pause, throw 1" << QStringList{"待っている|100|1|0"};
}

void TestClassWindow::roster()
{
    QFETCH(QString, script);
    QFETCH(QStringList, rows);
    open(Experiment::Points);
    play(script);
    QTableWidget* table = child<QTableWidget>("roster");
    const auto shown = [&] {
        QStringList lines;
        for (int row = 0; row < table->rowCount(); ++row)
            lines << QStringList{cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4)}.join('|');
        return lines;
    };
    QTRY_COMPARE_WITH_TIMEOUT(shown(), rows, 1000);

    // Removing the first pupil through the window.
    QPushButton* remove = child<QPushButton>("remove");
    QVERIFY(!remove->isEnabled());
    table->selectRow(0);
    QVERIFY(remove->isEnabled());
    remove->click();
    QCOMPARE(session_->roster().first().state, PupilState::Removed);
    QTRY_COMPARE_WITH_TIMEOUT(cell(0, 1), QString("外した"), 1000);
    QVERIFY(!remove->isEnabled());
}

// A nickname is the pupil's own text, shown only when the teacher asks,
// and never read as markup.
void TestClassWindow::nicknames()
{
    open(Experiment::Points);
    play("join:<b>x</b> 1, join 2");
    QTRY_COMPARE_WITH_TIMEOUT(child<QTableWidget>("roster")->rowCount(), 2, 1000);
    QCOMPARE(cell(0, 0), session_->roster()[0].pseudonym);
    QVERIFY(!cell(0, 0).contains("x"));
    child<QCheckBox>("nicknames")->click();
    QCOMPARE(cell(0, 0), QString("<b>x</b>"));
    QCOMPARE(cell(1, 0), QString("ab"));
    for (const QLabel* label : window_->findChildren<QLabel*>())
        QVERIFY(label->textFormat() == Qt::PlainText || !label->text().contains("<b>x"));
}

void TestClassWindow::reset_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << platform::vbYes;
    QTest::newRow("no") << platform::vbNo;
}

void TestClassWindow::reset()
{
    QFETCH(int, answer);
    testing::ScriptedServices services;
    services.answers = {answer};
    open(Experiment::Needles);
    play("join 1, throw 1");
    const QString code = session_->code();
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>("pooled")->text() != "0", 1000);
    child<QPushButton>("reset")->click();
    QCOMPARE(services.messageBoxes.size(), 1);
    const bool yes = answer == platform::vbYes;
    QCOMPARE(session_->code() != code, yes);
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("code")->text(), session_->code(), 1000);
    QCOMPARE(child<QLabel>("pooled")->text() == "0", yes);
    bool number = false;
    child<QLabel>("estimate")->text().toDouble(&number);
    QCOMPARE(number, !yes);
}

void TestClassWindow::exports_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("PNG") << "chart.png";
    QTest::newRow("SVG") << "chart.svg";
}

// What the chart's export writes: the chart at the size of a slide.
void TestClassWindow::exports()
{
    QFETCH(QString, file);
    open(Experiment::Points);
    play("join 1, throw 1, throw 1");
    const QString path = dir_.filePath(file);
    QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>("pooled")->text() != "0", 1000);
    QVERIFY(child<PoolChart>("chart")->save(path, "title", "words"));
    QImage picture(path);
    if (file.endsWith(".svg")) {
        QFile svg(path);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains(R"(viewBox="0 0 1200 800")"));
    } else {
        QCOMPARE(picture.size(), QSize(1200, 800));
    }
    // The pool's line is in it, in its own blue.
    int pool = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            pool += picture.pixelColor(x, y) == QColor(20, 60, 160);
    QVERIFY(pool > 20);
}

QTEST_MAIN(TestClassWindow)
#include "tst_class_window.moc"
