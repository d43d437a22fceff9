// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: what each form turns on, and which forms are refused.
#include "shell/Options.h"

#include <QTest>

using shell::parseOptions;

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

// Flags as a short code: p projector, l lesson, c compare, h help, v version;
// the table as "method|count|seed" with - for a missing part, or the
// comparison's seed as "seed|S".
void TestOptions::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("session"); // the class session as "experiment|port"
    QTest::newRow("none") << QStringList{} << "" << "" << false << "";
    QTest::newRow("Qt's own with a value") << QStringList{"-platform", "offscreen", "-reverse"} << "" << "" << false << "";
    QTest::newRow("projector and lesson") << QStringList{"--lesson", "--projector"} << "pl" << "" << false << "";
    QTest::newRow("compare") << QStringList{"--compare"} << "c" << "" << false << "";
    QTest::newRow("compare with a seed") << QStringList{"--seed", "42", "--compare"} << "c" << "seed|42" << false << "";
    QTest::newRow("compare, a seed not a number") << QStringList{"--compare", "--seed", "4x"} << "" << "" << true << "";
    QTest::newRow("compare, a seed past 64 bits") << QStringList{"--compare", "--seed=18446744073709551616"} << "" << ""
                                                  << true << "";
    QTest::newRow("help") << QStringList{"--help"} << "h" << "" << false << "";
    QTest::newRow("version") << QStringList{"--version"} << "v" << "" << false << "";
    QTest::newRow("table alone") << QStringList{"--table", "leibniz"} << "" << "leibniz|-|-" << false << "";
    QTest::newRow("table with count") << QStringList{"--table", "wallis", "5"} << "" << "wallis|5|-" << false << "";
    QTest::newRow("seed after") << QStringList{"--table", "buffon", "9", "--seed", "7"} << "" << "buffon|9|7" << false << "";
    QTest::newRow("seed before") << QStringList{"--seed=3", "--table", "montecarlo"} << "" << "montecarlo|-|3" << false << "";
    QTest::newRow("unknown option") << QStringList{"--fast"} << "" << "" << true << "";
    QTest::newRow("stray argument") << QStringList{"leibniz"} << "" << "" << true << "";
    QTest::newRow("table without method") << QStringList{"--table"} << "" << "" << true << "";
    QTest::newRow("table, extra argument") << QStringList{"--table", "euler", "5", "6"} << "" << "" << true << "";
    QTest::newRow("table twice") << QStringList{"--table", "euler", "--table", "wallis"} << "" << "" << true << "";
    QTest::newRow("seed without table") << QStringList{"--seed", "1"} << "" << "" << true << "";
    QTest::newRow("seed without value") << QStringList{"--table", "buffon", "--seed"} << "" << "" << true << "";
    QTest::newRow("table, negative count") << QStringList{"--table", "leibniz", "-3"} << "" << "" << true << "";
    QTest::newRow("table, Qt's option") << QStringList{"--table", "leibniz", "-platform", "xcb"} << "" << "" << true << "";
    QTest::newRow("continuous without table") << QStringList{"--continuous"} << "" << "" << true << "";
    QTest::newRow("table with a window") << QStringList{"--table", "euler", "--compare"} << "" << "" << true << "";
    QTest::newRow("class, default port") << QStringList{"--class", "montecarlo"} << "" << "" << false << "points|31415";
    QTest::newRow("class, port") << QStringList{"--projector", "--class", "buffon", "--port", "8080"} << "p" << ""
                                 << false << "needles|8080";
    QTest::newRow("class, port=") << QStringList{"--port=65535", "--class", "buffon"} << "" << "" << false
                                  << "needles|65535";
    QTest::newRow("class, bad experiment") << QStringList{"--class", "wallis"} << "" << "" << true << "";
    QTest::newRow("class without experiment") << QStringList{"--class", "--port", "80"} << "" << "" << true << "";
    QTest::newRow("port zero") << QStringList{"--class", "buffon", "--port", "0"} << "" << "" << true << "";
    QTest::newRow("port too large") << QStringList{"--class", "buffon", "--port=65536"} << "" << "" << true << "";
    QTest::newRow("port not a number") << QStringList{"--class", "buffon", "--port", "80a"} << "" << "" << true << "";
    QTest::newRow("port negative") << QStringList{"--class", "buffon", "--port", "-1"} << "" << "" << true << "";
    QTest::newRow("port without class") << QStringList{"--port", "8080"} << "" << "" << true << "";
    QTest::newRow("class and lesson") << QStringList{"--class", "buffon", "--lesson"} << "" << "" << true << "";
    QTest::newRow("class and table") << QStringList{"--class", "buffon", "--table", "euler"} << "" << "" << true << "";
}

void TestOptions::parse()
{
    QFETCH(QStringList, args);
    QFETCH(QString, flags);
    QFETCH(QString, table);
    QFETCH(bool, refused);
    QFETCH(QString, session);
    std::vector<std::string> arguments;
    for (const QString& a : args)
        arguments.push_back(a.toStdString());
    const shell::Options o = parseOptions(arguments);
    QCOMPARE(!o.error.empty(), refused);
    if (refused)
        return;
    QString seen;
    if (o.projector) seen += 'p';
    if (o.lesson) seen += 'l';
    if (o.compare) seen += 'c';
    if (o.help) seen += 'h';
    if (o.version) seen += 'v';
    QCOMPARE(seen, flags);
    QString t;
    if (o.table)
        t = QString::fromStdString(o.table->method + "|" + o.table->count.value_or("-") + "|"
                                   + o.table->seed.value_or("-"));
    if (o.compareSeed)
        t = QStringLiteral("seed|%1").arg(*o.compareSeed);
    QCOMPARE(t, table);
    QString c;
    if (o.classSession)
        c = QStringLiteral("%1|%2")
                .arg(o.classSession->experiment == classthrows::Experiment::Points ? "points" : "needles")
                .arg(o.classSession->port);
    QCOMPARE(c, session);
}

QTEST_APPLESS_MAIN(TestOptions)
#include "tst_options.moc"
