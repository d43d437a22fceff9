// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader reads what the surfaces show: the printed lines in order,
// through the surface's accessible name and text interface, and each
// formula picture as its formula in words.
#include "experiments/Form19.h"
#include "platform/accessible/Factory.h"
#include "platform/accessible/Narrator.h"
#include "polygon/Form18.h"
#include "experiments/Form20.h"
#include "shell/Form1.h"
#include "shell/Form7.h"
#include "shell/Observers.h"
#include "platform/PictureBox.h"
#include "series/SeriesWindow.h"
#include "shell/Windows.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using platform::PictureBox;

using testing::seriesWindow;
using testing::window;

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    Q_ASSERT(iface);
    return iface;
}

// Counts the name changes that reach the accessibility bus.
int nameChanges = 0;
QStringList announced;
void countNameChanges(QObject* source, int event)
{
    if (event == QAccessible::NameChanged)
        ++nameChanges;
    if (event == QAccessible::ObjectShow)
        announced += qobject_cast<QWidget*>(source)->accessibleName();
}

QPushButton* button(QWidget& w, const QString& name)
{
    auto* b = w.findChild<QPushButton*>(name);
    Q_ASSERT(b);
    return b;
}

// Presses the button by keyboard, as a pupil without a mouse does.
void press(QPushButton* b)
{
    b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(b, Qt::Key_Space);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pageIsReadByParagraph();
    void noticeFollowsThePage();
    void clsClearsTheText();
    void formulaInWords_data();
    void formulaInWords();
    void windowsAreFrames_data();
    void windowsAreFrames();
    void runTellsTheBusLittle();
    void outcomeIsSaidWhereTheKeyboardIs();
    void focusFollowsTheWork_data();
    void focusFollowsTheWork();
    void rowsAreJoinedAsTheyWrap_data();
    void rowsAreJoinedAsTheyWrap();
    void inputFieldIsReadWhole_data();
    void inputFieldIsReadWhole();
    void selectionWaitsForTheFocus_data();
    void selectionWaitsForTheFocus();
    void kindsAreServed_data();
    void kindsAreServed();
    void refusedReplyIsSaid_data();
    void refusedReplyIsSaid();

private:
    testing::ScriptedServices services_;
    testing::SoundRecorder sounds_;
};

void AccessibilityTest::initTestCase() { shell::observeRuns(); }

void AccessibilityTest::pageIsReadByParagraph()
{
    Form19& w = shell::form19();
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QAccessibleInterface* iface = accessible(w.Picture1);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    const QString name = iface->text(QAccessible::Name);
    const QStringList lines = name.split(QLatin1Char('\n'));
    // Seven paragraphs: rows indented less than the row that opened their
    // paragraph go on with it, pieces of one row in several colours read as
    // one, indentation and leader dots are dropped, a formula's signs are
    // words.
    const QString first = QStringLiteral("確率を利用して図形の面積や体積を求める方法をモンテカルロ法といいます。");
    const QString second = QStringLiteral("平面上に、一辺の長さ ２ｒ の正方形とそれに内接する半径 ｒ の円を描いておきます。");
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first(), first);
    QCOMPARE(lines[1], second);
    QCOMPARE(lines[5], QStringLiteral("２ｒ かける ２ｒ  対  π かける ｒ かける ｒ  イコール  ｎ  対  ｍ　　①が成り立ちます。①より、"));
    QVERIFY(lines.last().endsWith(QStringLiteral("円周率πの近似値がわかるというわけです。")));

    // The text interface holds the same, and a reader moving line by line
    // gets whole paragraphs.
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), int(name.size()));
    QCOMPARE(text->text(0, text->characterCount()), name);
    const int inFirst = int(name.indexOf(QStringLiteral("モンテカルロ法")));
    int start = -1, end = -1;
    QCOMPARE(text->textAtOffset(inFirst, QAccessible::LineBoundary, &start, &end).trimmed(), first);

    // Characters lie where they were printed: the second paragraph below
    // the first, both inside the surface, left to right along a line.
    const int inSecond = int(name.indexOf(second));
    const QRect surface(w.Picture1->mapToGlobal(QPoint(0, 0)), w.Picture1->size());
    const QRect top = text->characterRect(0);
    const QRect below = text->characterRect(inSecond);
    QVERIFY(surface.contains(top));
    QVERIFY(surface.contains(below));
    QVERIFY(below.top() > top.top());
    QVERIFY(text->characterRect(inFirst + 1).left() >= text->characterRect(inFirst).right());
    QCOMPARE(text->offsetAtPoint(below.center()), inSecond);

    // The page is a tab stop after the buttons; the arrows move its cursor
    // by paragraph.
    w.Command4->setFocus();
    QTest::keyClick(&w, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.Picture1);
    QCOMPARE(text->cursorPosition(), 0);
    QTest::keyClick(w.Picture1, Qt::Key_Down);
    QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end).trimmed(), second);
    QTest::keyClick(w.Picture1, Qt::Key_Up);
    QCOMPARE(text->cursorPosition(), 0);
    w.Hide();
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
    announced.clear();
    platform::narrator::setListener(countNameChanges);
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    platform::narrator::setListener(nullptr);
    services_.onDoEvents = nullptr;
    // The substituted count is said as it is printed, before the outcome.
    QVERIFY(!announced.isEmpty());
    QCOMPARE(announced.front(), QStringLiteral("第１００００項まで計算します。"));
    const QStringList lines = accessible(w.Picture1)->text(QAccessible::Name).split(QLatin1Char('\n'));
    QCOMPARE(lines, (QStringList{QStringLiteral("グレゴリー(1671)とライプニッツ(1673)は、上の公式を使ってπの近似値を求めました。"),
                                 QStringLiteral("この公式を使って、パソコンでπを計算してみましょう。"),
                                 QStringLiteral("正しいπの近似値 3.1415926535897932 と比べてみまょう。"),
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
    QCOMPARE(accessible(&box)->text(QAccessible::Name), QStringLiteral("説明と図（まだ空です）"));
    QCOMPARE(accessible(&box)->textInterface()->characterCount(), 0);
    box.Print(QStringLiteral("三行目"));
    QCOMPARE(accessible(&box)->text(QAccessible::Name), QStringLiteral("三行目"));
}

void AccessibilityTest::formulaInWords_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("words");
    QTest::newRow("Form9") << "Form9"
                           << QStringLiteral("パイの2乗 イコール 9 かっこ 1 たす 3 かける 4 分の 1の2乗 たす 3 かける 4 かける 5 "
                                             "かける 6 分の 1の2乗 かける 2の2乗 たす 3 かける 4 かける 5 かける 6 かける 7 かける 8 "
                                             "分の 1の2乗 かける 2の2乗 かける 3の2乗 たす 以下続く かっことじ");
    QTest::newRow("Form10") << "Form10"
                            << QStringLiteral("パイ イコール 3 かっこ 1 たす 4 かける 6 分の 1の2乗 たす 4 かける 6 かける 8 かける "
                                              "10 分の 1の2乗 かける 3の2乗 たす 4 かける 6 かける 8 かける 10 かける 12 かける 14 "
                                              "分の 1の2乗 かける 3の2乗 かける 5の2乗 たす 以下続く かっことじ");
    QTest::newRow("Form15") << "Form15"
                            << QStringLiteral("パイ イコール 2 かっこ 1 かける 3 かける 3 かける 5 かける 5 かける 7 以下続く 分の "
                                              "2 かける 2 かける 4 かける 4 かける 6 かける 6 以下続く かっことじ");
    QTest::newRow("Form16") << "Form16"
                            << QStringLiteral("4 分の パイ イコール 1 ひく 3 分の 1 たす 5 分の 1 ひく 7 分の 1 たす 9 分の 1 "
                                              "ひく 11 分の 1 たす 以下続く");
    QTest::newRow("Form17") << "Form17"
                            << QStringLiteral("パイの2乗 イコール 12 かっこ 1の2乗 分の 1 ひく 2の2乗 分の 1 たす 3の2乗 分の 1 "
                                              "ひく 4の2乗 分の 1 たす 5の2乗 分の 1 ひく 以下続く かっことじ");
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
    // The formula is a stop between the buttons and the page below it.
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Command5->setFocus();
    for (PictureBox* next : {w.Picture2, w.Picture1}) {
        QTest::keyClick(&w, Qt::Key_Tab);
        QCOMPARE(w.focusWidget(), next);
    }
    w.Hide();
    // The formula stays when the page around it is cleared.
    w.Picture1->Cls();
    QCOMPARE(iface->text(QAccessible::Name), words);
}

void AccessibilityTest::windowsAreFrames_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Form1", "Form7", "Form9", "Form10", "Form15", "Form16", "Form17", "Form18", "Form19", "Form20"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void AccessibilityTest::windowsAreFrames()
{
    QFETCH(QString, name);
    platform::Form& w = window(name);
    QAccessibleInterface* iface = accessible(&w);
    QCOMPARE(iface->role(), QAccessible::Window);
    QCOMPARE(iface->text(QAccessible::Name), w.windowTitle());
}

void AccessibilityTest::runTellsTheBusLittle()
{
    // A run of 3,000 points repaints its counters 9,000 times; the bus hears
    // of them at the narrator's pace, and once more at the end.
    platform::narrator::setListener(countNameChanges);
    Form19& w = shell::form19();
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Command5->click();
    services_.replies = {QStringLiteral("3000")};
    nameChanges = 0;
    announced.clear();
    w.Command2->setFocus(); // started from the keyboard
    QElapsedTimer clock;
    clock.start();
    w.Command2->click();
    const qint64 elapsed = clock.elapsed();
    QTest::qWait(0);
    platform::narrator::setListener(nullptr);
    // The focus moved from 中止 at the end and is read with the outcome:
    // announced as well, it would be heard twice.
    QCOMPARE(announced, QStringList());
    const int labels = int(w.findChildren<platform::Label*>().size());
    QVERIFY2(nameChanges <= labels * (elapsed / platform::narrator::publishIntervalMs + 2),
             qPrintable(QStringLiteral("%1 name changes in %2 ms").arg(nameChanges).arg(elapsed)));
    QVERIFY(nameChanges >= 3); // the counters' final update
    // The bus has the final counts, and the stop hint, still painted, is not
    // read as current.
    QCOMPARE(accessible(w.Label1)->text(QAccessible::Name), w.Label1->caption());
    QVERIFY(w.Label1->caption().contains(QStringLiteral("3000 /  3000")));
    QVERIFY(!w.Label4->caption().isEmpty());
    QCOMPARE(accessible(w.Label4)->text(QAccessible::Name), QString());
    QTRY_COMPARE(accessible(w.Picture1)->text(QAccessible::Description),
                 QStringLiteral("打った点 3000 個、円の内 %1 個").arg(w.InsideCount));
    // With nothing printed, the drawing is read as what it shows.
    QCOMPARE(accessible(w.Picture1)->text(QAccessible::Name), accessible(w.Picture1)->text(QAccessible::Description));
    // The outcome is the description of the focused start button.
    QTRY_VERIFY(w.Command2->accessibleDescription().contains(w.Label3->caption()));
    QVERIFY(w.Command2->accessibleDescription().contains(w.Label1->caption()));
    QVERIFY(!w.Command2->accessibleDescription().contains(QStringLiteral("中止")));
}

void AccessibilityTest::outcomeIsSaidWhereTheKeyboardIs()
{
    // With the keyboard on a window beside the running one (the lesson
    // controller), the outcome is said there, and forgotten at the next run.
    Form19& w = shell::form19();
    w.Show();
    w.Command5->click();
    QWidget beside;
    auto* pause = new QPushButton(QStringLiteral("pause"), &beside);
    beside.show();
    beside.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&beside));
    pause->setFocus();
    services_.replies = {QStringLiteral("50")};
    announced.clear();
    platform::narrator::setListener(countNameChanges);
    w.Command2->click();
    QTRY_VERIFY(pause->accessibleDescription().contains(w.Label3->caption()));
    // No focus event brings it to the reader there: it is announced.
    platform::narrator::setListener(nullptr);
    QCOMPARE(announced.size(), 1);
    QVERIFY(announced.front().contains(w.Label3->caption()));
    QVERIFY(!w.Command2->accessibleDescription().contains(w.Label3->caption()));

    QString heardAtStart;
    services_.onDoEvents = [&](int) {
        if (heardAtStart.isNull())
            heardAtStart = pause->accessibleDescription();
    };
    services_.replies = {QStringLiteral("10")};
    w.Command2->click();
    services_.onDoEvents = nullptr;
    QCOMPARE(heardAtStart, QString(""));
    w.Hide();
}

void AccessibilityTest::focusFollowsTheWork_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("explain");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("afterExplain");
    QTest::addColumn<int>("stepsBefore"); // presses of that button before the run
    QTest::addColumn<QString>("duringRun");
    QTest::addColumn<QString>("afterRun");
    QTest::newRow("Form9") << "Form9" << "Command5" << "Command2" << "Command2" << 0 << "Command6" << "Command5";
    QTest::newRow("Form16") << "Form16" << "Command5" << "Command2" << "Command2" << 0 << "Command6" << "Command5";
    QTest::newRow("Form18") << "Form18" << "Command6" << "Command2" << "Command5" << 9 << "Command4" << "Command2";
    QTest::newRow("Form19") << "Form19" << "Command5" << "Command2" << "Command2" << 0 << "Command4" << "Command2";
    QTest::newRow("Form20") << "Form20" << "Command5" << "Command2" << "Command2" << 0 << "Command4" << "Command2";
}

void AccessibilityTest::focusFollowsTheWork()
{
    QFETCH(QString, name);
    QFETCH(QString, explain);
    QFETCH(QString, start);
    QFETCH(QString, afterExplain);
    QFETCH(int, stepsBefore);
    QFETCH(QString, duringRun);
    QFETCH(QString, afterRun);
    platform::Form& w = window(name);
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    press(button(w, explain));
    QCOMPARE(w.focusWidget(), button(w, afterExplain));
    for (int i = 0; i < stepsBefore; ++i)
        press(button(w, afterExplain));

    services_.replies = {QStringLiteral("20")};
    QString focusedDuringRun;
    services_.onDoEvents = [&](int) {
        if (w.focusWidget())
            focusedDuringRun = w.focusWidget()->objectName();
    };
    press(button(w, start));
    services_.onDoEvents = nullptr;
    QCOMPARE(focusedDuringRun, duringRun);
    QTRY_COMPARE(w.focusWidget(), button(w, afterRun));
    QTRY_VERIFY(w.focusWidget()->accessibleDescription().contains(QStringLiteral("π")));
    w.Hide();
}

void AccessibilityTest::rowsAreJoinedAsTheyWrap_data()
{
    QTest::addColumn<QStringList>("rows"); // a row ending in "+" was broken to fit
    QTest::addColumn<QString>("read");
    QTest::newRow("Latin, broken") << QStringList{"　　with its+", "　　corners+", "　　at random"} << "with its corners at random";
    QTest::newRow("Latin, as written") << QStringList{"　　with its", "　　corners"} << "with its\ncorners";
    QTest::newRow("Japanese, broken") << QStringList{"　　円に+", "　　内接する"} << "円に内接する";
    QTest::newRow("leaders") << QStringList{"s ・・・・ ①", "①…… ②", "π ････ ③", "3.14…"} << "s  ①\n① ②\nπ  ③\n3.14 以下続く";
    QTest::newRow("a heading after a paragraph") << QStringList{"　　　平面上に", "　　となります。", "　＜証明＞", "　　　長さ"}
                                                  << "平面上にとなります。\n＜証明＞\n長さ";
    QTest::newRow("a heading in Latin letters") << QStringList{"　　　So it", "　　ends.", "　Outline", "　　　Let y"}
                                                << "So it ends.\nOutline\nLet y";
    QTest::newRow("colons, brackets") << QStringList{"n : m", "note: u/(2r) (c. 1400)"} << "n  対  m\nnote: u わる 2r (c. 1400)";
}

void AccessibilityTest::rowsAreJoinedAsTheyWrap()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, read);
    QWidget host;
    PictureBox box(&host, "Picture1", {0, 0, 6000, 3000}, {});
    for (const QString& row : rows)
        box.Print(row.chopped(row.endsWith(u'+')), row.endsWith(u'+') ? PictureBox::WrapLine : PictureBox::EndLine);
    QCOMPARE(accessible(&box)->text(QAccessible::Name), read);
}

void AccessibilityTest::inputFieldIsReadWhole_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("file"); // the name field of a file dialog, else the input box
    QTest::newRow("100") << "100" << false;
    QTest::newRow("1000") << "1000" << false;
    QTest::newRow("a file's name") << "sorvena-compare.csv" << true;
}

void AccessibilityTest::inputFieldIsReadWhole()
{
    // A reader joins the text attribute runs of the caret's line and reads
    // from the first run's start to the last run's end.
    QFETCH(QString, value);
    QFETCH(bool, file);
    QInputDialog box;
    box.setTextValue(value);
    QFileDialog files(nullptr, QString(), QDir::tempPath());
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.selectFile(value);
    auto* field = file ? files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : box.findChild<QLineEdit*>();
    QAccessibleTextInterface* text = accessible(field)->textInterface();
    int start = -1, end = -1, first = -1;
    for (int offset = 0; offset < text->characterCount(); offset = std::max(end, offset + 1)) {
        text->attributes(offset, &start, &end);
        first = first < 0 ? start : first;
    }
    QCOMPARE(text->text(first, end), value);
}

void AccessibilityTest::selectionWaitsForTheFocus_data()
{
    // The focus before and after the keys (0 a button, 1 the field, 2 a
    // button), and for each selection change, whether the reader is told.
    QTest::addColumn<int>("from");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<bool>>("heard");
    QTest::newRow("Tab into the field") << 0 << QKeySequence(Qt::Key_Tab) << 1 << QList<bool>{false};
    QTest::newRow("Shift+Tab into it") << 2 << QKeySequence(Qt::SHIFT | Qt::Key_Tab) << 1 << QList<bool>{false};
    QTest::newRow("its label's key") << 0 << QKeySequence(Qt::ALT | Qt::Key_S) << 1 << QList<bool>{false};
    QTest::newRow("Tab out of it") << 1 << QKeySequence(Qt::Key_Tab) << 2 << QList<bool>{false};
    QTest::newRow("selecting in it") << 1 << QKeySequence(QStringLiteral("End, Shift+Home")) << 1
                                     << QList<bool>{true, true};
}

void AccessibilityTest::selectionWaitsForTheFocus()
{
    // A field reached by the keyboard selects its text, and one left
    // deselects it, before Qt says where the focus is; a reader told of
    // that says the text before the field's name, or "unselected" before
    // the next control's.
    QFETCH(int, from);
    QFETCH(QKeySequence, keys);
    QFETCH(int, to);
    QFETCH(QList<bool>, heard);
    platform::accessible::install();
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* label = new QLabel(QStringLiteral("乱数の種(&S)："));
    auto* field = new QLineEdit(QStringLiteral("12060187793097720213"));
    label->setBuddy(field);
    const QWidgetList stops{new QPushButton(QStringLiteral("before")), field, new QPushButton(QStringLiteral("after"))};
    for (QWidget* widget : QWidgetList{stops[0], label, stops[1], stops[2]})
        layout->addWidget(widget);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    stops[from]->setFocus(Qt::TabFocusReason);
    QList<bool> told;
    connect(field, &QLineEdit::selectionChanged, &w, [&] {
        told += platform::accessible::heard(QAccessibleTextSelectionEvent(field, field->selectionStart(),
                                                                          field->selectionEnd()));
    });
    QTest::keySequence(stops[from], keys);
    QCOMPARE(QApplication::focusWidget(), stops[to]);
    QCOMPARE(told, heard);
}

void AccessibilityTest::kindsAreServed_data()
{
    using platform::accessible::Kind;
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text"); // the button's, the label's, the title or the chosen item
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("invisible");
    QTest::newRow("toggle, checked") << Kind::Toggle << "一時停止" << QAccessible::Button << "一時停止" << ""
                                     << true << false;
    QTest::newRow("caption") << Kind::Caption << "いまの値" << QAccessible::StaticText << "" << "" << false << true;
    QTest::newRow("frame") << Kind::Frame << "授業モード" << QAccessible::Window << "授業モード" << "" << false
                           << false;
    QTest::newRow("choice") << Kind::Choice << "1,000" << QAccessible::ComboBox << "" << "1,000" << false << false;
}

void AccessibilityTest::kindsAreServed()
{
    using platform::accessible::Kind;
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, checked);
    QFETCH(bool, invisible);
    // Widgets of Qt's own classes, which Qt's factory would serve unmarked;
    // marked before anything may make their interfaces.
    std::unique_ptr<QWidget> widget;
    switch (kind) {
    case Kind::Toggle: widget = std::make_unique<QPushButton>(); break;
    case Kind::Caption: widget = std::make_unique<QLabel>(); break;
    case Kind::Frame: widget = std::make_unique<QWidget>(); break;
    case Kind::Choice: widget = std::make_unique<QComboBox>(); break;
    }
    platform::accessible::setKind(widget.get(), kind);
    if (auto* toggle = qobject_cast<QPushButton*>(widget.get())) {
        toggle->setText(text);
        toggle->setCheckable(true);
        toggle->setChecked(checked);
    } else if (auto* label = qobject_cast<QLabel*>(widget.get())) {
        label->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(widget.get())) {
        box->addItems({QStringLiteral("100"), text, QStringLiteral("10,000")});
        box->setCurrentIndex(1);
    } else {
        widget->setWindowTitle(text);
    }
    // Shown, so that only a caption is hidden from the reader.
    widget->show();
    QAccessibleInterface* iface = accessible(widget.get());
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QCOMPARE(iface->state().checked, checked);
    QCOMPARE(iface->state().invisible, invisible);
    if (kind == Kind::Choice) {
        QAccessibleTextInterface* textInterface = iface->textInterface();
        QVERIFY(textInterface);
        QCOMPARE(textInterface->text(0, textInterface->characterCount()), value);
    }
}

void AccessibilityTest::refusedReplyIsSaid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("letters, points") << "Form19" << "abc" << QStringList{"「abc」は使えないため、取り消しました。"};
    QTest::newRow("too many needles") << "Form20" << "20001" << QStringList{"「20001」は使えないため、取り消しました。"};
    QTest::newRow("letters, terms") << "Form16" << "abc" << QStringList{"「abc」は使えないため、取り消しました。"};
    QTest::newRow("cancelled") << "Form19" << QString() << QStringList{"取り消しました。"};
    QTest::newRow("a good reply") << "Form19" << "10" << QStringList();
}

void AccessibilityTest::refusedReplyIsSaid()
{
    QFETCH(QString, name);
    QFETCH(QString, reply);
    QFETCH(QStringList, said);
    platform::Form& w = window(name);
    w.Show();
    button(w, QStringLiteral("Command5"))->click(); // the page, which opens the start button
    services_.replies = {reply};
    testing::Announcements heard;
    button(w, QStringLiteral("Command2"))->click();
    w.Hide();
    QCOMPARE(heard.said().filter(QStringLiteral("取り消しました")), said);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
