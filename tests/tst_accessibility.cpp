// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader reads what the surfaces show: the printed lines in order,
// through the surface's accessible name and text interface, and each
// formula picture as its formula in words.
#include "montecarlo/Form19.h"
#include "platform/PictureBox.h"
#include "series/SeriesWindow.h"
#include "shell/Windows.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QtTest>

using platform::PictureBox;

using testing::seriesWindow;

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    Q_ASSERT(iface);
    return iface;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void pageIsReadInOrder();
    void textInterfaceFollowsThePage();
    void noticeFollowsThePage();
    void clsClearsTheText();
    void formulaInWords_data();
    void formulaInWords();

private:
    testing::ScriptedServices services_;
    testing::SoundRecorder sounds_;
};

void AccessibilityTest::pageIsReadInOrder()
{
    Form19& w = shell::form19();
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QAccessibleInterface* iface = accessible(w.Picture1);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    const QStringList lines = iface->text(QAccessible::Name).split(QLatin1Char('\n'));
    // Seventeen lines of text below the empty first one; pieces of one
    // line in several colours read as one line; indentation is dropped.
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.first(), QStringLiteral("確率を利用して図形の面積や体積を求める"));
    QCOMPARE(lines[1], QStringLiteral("方法をモンテカルロ法といいます。"));
    QCOMPARE(lines[10], QStringLiteral("２ｒ×２ｒ ： π×ｒ×ｒ ＝ ｎ ： ｍ　･･･････　①"));
    QCOMPARE(lines.last(), QStringLiteral("の近似値がわかるというわけです。"));
}

void AccessibilityTest::textInterfaceFollowsThePage()
{
    Form19& w = shell::form19();
    QAccessibleInterface* iface = accessible(w.Picture1);
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text);
    const QString name = iface->text(QAccessible::Name);
    QCOMPARE(text->characterCount(), int(name.size()));
    QCOMPARE(text->text(0, text->characterCount()), name);

    // A reader moving line by line gets the printed lines.
    const int inSecond = int(name.indexOf(QStringLiteral("モンテカルロ法")));
    int start = -1, end = -1;
    QCOMPARE(text->textAtOffset(inSecond, QAccessible::LineBoundary, &start, &end).trimmed(),
             QStringLiteral("方法をモンテカルロ法といいます。"));

    // Characters lie where they were printed: the second line below the
    // first, both inside the surface, left to right along a line.
    const QRect surface(w.Picture1->mapToGlobal(QPoint(0, 0)), w.Picture1->size());
    const QRect first = text->characterRect(0);
    const QRect second = text->characterRect(inSecond);
    const QRect next = text->characterRect(inSecond + 1);
    QVERIFY(surface.contains(first));
    QVERIFY(surface.contains(second));
    QVERIFY(second.top() > first.top());
    QVERIFY(next.left() >= second.right());
    QCOMPARE(text->offsetAtPoint(second.center()), inSecond);
}

void AccessibilityTest::noticeFollowsThePage()
{
    series::SeriesWindow& w = seriesWindow(QStringLiteral("Form16"));
    w.Show();
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    services_.replies = {QStringLiteral("1")};
    services_.onDoEvents = [&w](int call) {
        if (call == 1)
            QTest::mouseClick(w.Command6, Qt::LeftButton);
    };
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    services_.onDoEvents = nullptr;
    const QStringList lines = accessible(w.Picture1)->text(QAccessible::Name).split(QLatin1Char('\n'));
    QCOMPARE(lines, (QStringList{QStringLiteral("グレゴリー(1671)とライプニッツ(1673)は、上の公式を使ってπの近似値を求めました。"),
                                 QStringLiteral("この公式を使って、パソコンでπを計算してみましょう。"),
                                 QStringLiteral("正しいπの近似値 3.1415926535897932･･･ と比べてみまょう。"),
                                 QStringLiteral("【計算】をクリックしてください。"),
                                 QStringLiteral("第１００００項まで計算します。")}));
    w.Hide();
}

void AccessibilityTest::clsClearsTheText()
{
    QWidget host;
    PictureBox box(&host, "Picture1", {0, 0, 3000, 3000}, {});
    box.Print(QStringLiteral("　　一行目"));
    box.Print(QStringLiteral("二"), PictureBox::StayOnLine);
    box.Print(QStringLiteral("行目"));
    QCOMPARE(accessible(&box)->text(QAccessible::Name), QStringLiteral("一行目\n二行目"));
    box.Cls();
    QCOMPARE(accessible(&box)->text(QAccessible::Name), QString());
    QCOMPARE(accessible(&box)->textInterface()->characterCount(), 0);
    box.Print(QStringLiteral("三行目"));
    QCOMPARE(accessible(&box)->text(QAccessible::Name), QStringLiteral("三行目"));
}

void AccessibilityTest::formulaInWords_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("words");
    QTest::newRow("Form9") << "Form9" << QStringLiteral("π² = 9 (1 + 1²/(3·4) + 1²·2²/(3·4·5·6) + 1²·2²·3²/(3·4·5·6·7·8) + …)");
    QTest::newRow("Form10") << "Form10"
                            << QStringLiteral("π = 3 (1 + 1²/(4·6) + 1²·3²/(4·6·8·10) + 1²·3²·5²/(4·6·8·10·12·14) + …)");
    QTest::newRow("Form15") << "Form15" << QStringLiteral("π = 2 (2·2·4·4·6·6…/(1·3·3·5·5·7…))");
    QTest::newRow("Form16") << "Form16" << QStringLiteral("π/4 = 1 − 1/3 + 1/5 − 1/7 + 1/9 − 1/11 + …");
    QTest::newRow("Form17") << "Form17" << QStringLiteral("π² = 12 (1/1² − 1/2² + 1/3² − 1/4² + 1/5² − …)");
}

void AccessibilityTest::formulaInWords()
{
    QFETCH(QString, window);
    QFETCH(QString, words);
    series::SeriesWindow& w = seriesWindow(window);
    QAccessibleInterface* iface = accessible(w.Picture2);
    QCOMPARE(iface->role(), QAccessible::Graphic);
    QCOMPARE(iface->text(QAccessible::Name), words);
    QCOMPARE(iface->textInterface()->text(0, iface->textInterface()->characterCount()), words);
    // The formula stays when the page around it is cleared.
    w.Picture1->Cls();
    QCOMPARE(iface->text(QAccessible::Name), words);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
