// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which a bare sound file name is looked up: the current
// folder, the program's folder, then the data folder of an install prefix
// (<prefix>/bin/sorvena finds <prefix>/share/sorvena).
#include "platform/MMControl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using platform::locateSoundFile;

class TestLocate : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
};

void TestLocate::order_data()
{
    // Each holder is "file" (the sound is there), "dir" (a folder of that
    // name is there, which must not count) or "" (nothing).
    QTest::addColumn<QString>("inCurrent");
    QTest::addColumn<QString>("inProgram");
    QTest::addColumn<QString>("inData");
    QTest::addColumn<bool>("programKnown");
    QTest::addColumn<QString>("found");
    QTest::newRow("all three: current") << "file" << "file" << "file" << true << "cwd";
    QTest::newRow("program and data: program") << "" << "file" << "file" << true << "prefix/bin";
    QTest::newRow("data only") << "" << "" << "file" << true << "prefix/share/sorvena";
    QTest::newRow("current and data: current") << "file" << "" << "file" << true << "cwd";
    QTest::newRow("folders of that name are skipped") << "dir" << "dir" << "file" << true << "prefix/share/sorvena";
    QTest::newRow("nowhere") << "" << "" << "" << true << "";
    QTest::newRow("only folders") << "dir" << "" << "dir" << true << "";
    QTest::newRow("no program folder: no data folder") << "" << "" << "file" << false << "";
    QTest::newRow("no program folder: current") << "file" << "" << "file" << false << "cwd";
}

void TestLocate::order()
{
    QFETCH(QString, inCurrent);
    QFETCH(QString, inProgram);
    QFETCH(QString, inData);
    QFETCH(bool, programKnown);
    QFETCH(QString, found);

    const QString name = QStringLiteral("pinpon.wav");
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir top(root.path());
    const std::pair<QString, QString> holders[] = {
        {QStringLiteral("cwd"), inCurrent},
        {QStringLiteral("prefix/bin"), inProgram},
        {QStringLiteral("prefix/share/sorvena"), inData},
    };
    for (const auto& [folder, what] : holders) {
        QVERIFY(top.mkpath(folder));
        const QString path = top.filePath(folder + '/' + name);
        if (what == "file") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (what == "dir") {
            QVERIFY(top.mkpath(folder + '/' + name));
        }
    }

    const QString result = locateSoundFile(name, top.filePath("cwd"),
                                           programKnown ? top.filePath("prefix/bin") : QString());
    const QString expected = found.isEmpty() ? QString() : top.filePath(found + '/' + name);
    QCOMPARE(result, expected);
}

QTEST_GUILESS_MAIN(TestLocate)
#include "tst_sound_lookup.moc"
