// SPDX-License-Identifier: GPL-3.0-or-later
// The title window, the menu, the moves between windows, the sound
// sequences and the quit confirmation.
#include "shell/Form1.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "platform/Navigation.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

#include <QFontInfo>
#include <QtTest>

using testing::ScriptedServices;
using testing::SoundRecorder;

namespace {

QPushButton* button(QWidget& window, const char* name)
{
    auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!b)
        qFatal("no button %s in %s", name, qPrintable(window.objectName()));
    return b;
}

QList<QWidget*> visibleForms()
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<platform::Form*>(w))
            shown.append(w);
    return shown;
}

bool isJapaneseFace(const QFont& font)
{
    const QString family = QFontInfo(font).family();
    return family.contains(QLatin1String("IPA")) || family.startsWith(QLatin1String("Ume ")) || family.contains(QStringLiteral("ＭＳ"))
        || family.contains(QLatin1String("MS P")) || family.contains(QLatin1String("CJK"));
}

struct MenuEntry {
    const char* button;
    const char* window;
    int top;
    const char* caption;
};

const MenuEntry menu[] = {
    {"Command1", "Form18", 360, "円の内接正多角形の周の長さからπを求める"},
    {"Command3", "Form19", 960, "モンテカルロ法を利用してπを求める"},
    {"Command4", "Form20", 1560, "ビュホンの針を利用してπを求める"},
    {"Command11", "Form15", 2160, "ウォーリスの公式からπを求める"},
    {"Command12", "Form16", 2760, "無限級数からπを求める(ｸﾞﾚｺﾞﾘｰ･ﾗｲﾌﾟﾆｯﾂ)"},
    {"Command13", "Form17", 3360, "無限級数からπを求める(オイラー)"},
    {"Command5", "Form9", 3960, "無限級数からπを求める(マツナガ　ヨシスケ１)"},
    {"Command6", "Form10", 4560, "無限級数からπを求める(マツナガ　ヨシスケ２)"},
    {"Command2", nullptr, 5160, "終　　　　　了"},
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void sequencesIssueTheirCommandsInOrder();
    void quitConfirmationAsksAndEnds_data();
    void quitConfirmationAsksAndEnds();
    void titleWindowLayout();
    void titleStartsTheTuneAndQuitNoRestartsIt();
    void enterOnTheTitleOpensTheQuestion();
    void nextGoesToTheMenu();
    void menuLayoutAndTabOrder();
    void tabMovesFocusAndEnterClicks();
    void roundTripsThroughEveryMethodWindow();
    void menuQuitNoPlaysTheTuneOnTheMenu();
    void methodWindowsHaveTheirDesignSizes_data();
    void methodWindowsHaveTheirDesignSizes();
    void frameCloseActsLikeQuitWhileEnabled();

private:
    ScriptedServices services;
    SoundRecorder recorder;
};

void ShellTest::sequencesIssueTheirCommandsInOrder()
{
    QWidget owner;
    owner.setObjectName(QStringLiteral("Owner"));
    platform::MMControl player(&owner);
    recorder.clear();
    platform::PlayCue(player, QStringLiteral("pinpon.wav"));
    QCOMPARE(recorder.commands(QStringLiteral("Owner")),
             QStringList({"Stop", "Close", "Open pinpon.wav", "Sound pinpon.wav"}));
    recorder.clear();
    platform::PlayEndOfRunCue(player, QStringLiteral("logoff.wav"));
    QCOMPARE(recorder.commands(QStringLiteral("Owner")), QStringList({"Close", "Open logoff.wav", "Sound logoff.wav"}));
    recorder.clear();
    platform::StartMusic(player);
    QCOMPARE(recorder.commands(QStringLiteral("Owner")),
             QStringList({"Close", "Open passport.mid", "Play passport.mid"}));
}

void ShellTest::quitConfirmationAsksAndEnds_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("restart");
    QTest::addColumn<int>("ends");
    QTest::addColumn<QStringList>("cues");
    QTest::newRow("yes") << platform::vbYes << true << 1 << QStringList{"endpinpon.wav"};
    QTest::newRow("no, title or menu") << platform::vbNo << true << 0 << QStringList{"endpinpon.wav", "passport.mid"};
    QTest::newRow("no, method window") << platform::vbNo << false << 0 << QStringList{"endpinpon.wav"};
}

void ShellTest::quitConfirmationAsksAndEnds()
{
    QFETCH(int, answer);
    QFETCH(bool, restart);
    QFETCH(int, ends);
    QFETCH(QStringList, cues);
    QWidget owner;
    owner.setObjectName(QStringLiteral("Owner"));
    platform::MMControl player(&owner);
    recorder.clear();
    services.ends = 0;
    services.messageBoxes.clear();
    services.answers = {answer};
    platform::ConfirmQuit(&owner, player, restart ? platform::OnNo::RestartMusic : platform::OnNo::Nothing);
    QCOMPARE(services.messageBoxes.size(), 1);
    QCOMPARE(services.messageBoxes[0].prompt, QStringLiteral("終了していいですか？"));
    QCOMPARE(services.messageBoxes[0].title, QStringLiteral("Sorvena"));
    QCOMPARE(services.ends, ends);
    QCOMPARE(recorder.cues(QStringLiteral("Owner")), cues);
    // The quit cue is started before the question is shown.
    QCOMPARE(recorder.log.indexOf(QStringLiteral("msgbox")), 4);
}

void ShellTest::titleWindowLayout()
{
    Form1& title = shell::form1();
    QCOMPARE(title.size(), QSize(303, 199));
    QVERIFY(title.windowTitle().startsWith(QStringLiteral("Sorvena ")));
    QVERIFY(title.windowTitle().size() > 8);
    QCOMPARE(title.Command1->text(), QStringLiteral("終了"));
    QCOMPARE(title.Command2->text(), QStringLiteral("次へ"));
    QCOMPARE(title.Command1->geometry(), QRect(8, 0, 57, 25));
    QCOMPARE(title.Command2->geometry(), QRect(240, 0, 57, 25));
    QCOMPARE(title.Label1->text(), QStringLiteral("Sorvena"));
    QCOMPARE(title.Label1->geometry(), QRect(72, 72, 145, 33));
    QCOMPARE(title.Label1->font().pointSizeF(), 20.25);
    QVERIFY(title.Label1->font().bold());
    QVERIFY(!title.Label2->text().isEmpty());
    QCOMPARE(title.Label2->font().pointSizeF(), 11.25);
    QVERIFY(!title.Label3->text().isEmpty());
    QCOMPARE(title.Label3->geometry(), QRect(48, 128, 217, 17));
    QCOMPARE(title.Shape1->geometry(), QRect(8, 32, 289, 161));
    for (const QLabel* label : {title.Label1, title.Label2, title.Label3})
        QVERIFY2(isJapaneseFace(label->font()), qPrintable(QFontInfo(label->font()).family()));
    // The faces come from family lists: Mincho for the title, Gothic for the mark.
    QVERIFY(QFontInfo(title.Label1->font()).family().contains(QLatin1String("Mincho")));
    QVERIFY(QFontInfo(title.Label2->font()).family().contains(QLatin1String("Gothic")));
}

void ShellTest::titleStartsTheTuneAndQuitNoRestartsIt()
{
    Form1& title = shell::form1();
    recorder.clear();
    title.Show();
    QVERIFY(title.isVisible());
    QCOMPARE(recorder.cues(QStringLiteral("Form1")), QStringList{"passport.mid"});
    QCOMPARE(title.focusWidget(), title.Command1);

    // No, twice: each time the quit cue, then the tune from its beginning.
    services.answers = {platform::vbNo, platform::vbNo};
    services.ends = 0;
    QTest::mouseClick(title.Command1, Qt::LeftButton);
    QTest::mouseClick(title.Command1, Qt::LeftButton);
    QCOMPARE(recorder.cues(QStringLiteral("Form1")),
             QStringList({"passport.mid", "endpinpon.wav", "passport.mid", "endpinpon.wav", "passport.mid"}));
    QCOMPARE(services.ends, 0);
    QVERIFY(title.isVisible());

    services.answers = {platform::vbYes};
    QTest::mouseClick(title.Command1, Qt::LeftButton);
    QCOMPARE(services.ends, 1);
}

void ShellTest::enterOnTheTitleOpensTheQuestion()
{
    Form1& title = shell::form1();
    title.Show();
    services.messageBoxes.clear();
    services.answers = {platform::vbNo};
    QTest::keyClick(title.focusWidget(), Qt::Key_Return);
    QCOMPARE(services.messageBoxes.size(), 1);
}

void ShellTest::nextGoesToTheMenu()
{
    Form1& title = shell::form1();
    title.Show();
    recorder.clear();
    QTest::mouseClick(title.Command2, Qt::LeftButton);
    QVERIFY(!title.isVisible());
    QVERIFY(shell::form7().isVisible());
    QCOMPARE(visibleForms(), QList<QWidget*>{&shell::form7()});
    // The click cue cut off the tune on the title's own player; the menu
    // plays nothing on arrival.
    QCOMPARE(recorder.commands(QStringLiteral("Form1")),
             QStringList({"Stop", "Close", "Open pinpon.wav", "Sound pinpon.wav"}));
    QVERIFY(recorder.commands(QStringLiteral("Form7")).isEmpty());
}

void ShellTest::menuLayoutAndTabOrder()
{
    Form7& m = shell::form7();
    QCOMPARE(m.windowTitle(), QStringLiteral("Sorvena Menu"));
    QCOMPARE(m.size(), QSize(314, 396));
    for (const MenuEntry& e : menu) {
        QPushButton* b = button(m, e.button);
        QCOMPARE(b->text(), QString::fromUtf8(e.caption));
        QCOMPARE(b->geometry(), platform::pxRect(360, e.top, 3975, 375));
        QVERIFY(b->isEnabled());
    }
    QCOMPARE(m.Shape1->geometry(), platform::pxRect(120, 120, 4455, 5655));
    // Focus chain: 終了 first, then the Matsunaga, Wallis, Gregory-Leibniz,
    // Euler, polygon, Monte Carlo and needle buttons.
    const QStringList expected = {"Command2", "Command5", "Command6", "Command11", "Command12",
                                  "Command13", "Command1", "Command3", "Command4"};
    QStringList chain;
    QWidget* w = m.Command2;
    for (int i = 0; i < expected.size(); ++i, w = w->nextInFocusChain()) {
        while (!qobject_cast<QPushButton*>(w))
            w = w->nextInFocusChain();
        chain.append(w->objectName());
    }
    QCOMPARE(chain, expected);
}

void ShellTest::tabMovesFocusAndEnterClicks()
{
    Form7& m = shell::form7();
    m.Show();
    m.activateWindow();
    QApplication::setActiveWindow(&m);
    m.Command2->setFocus();
    QTest::keyClick(&m, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m.Command5);
    recorder.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(shell::form9().isVisible());
    QVERIFY(!m.isVisible());
    QTest::mouseClick(button(shell::form9(), "Command3"), Qt::LeftButton);
    QVERIFY(m.isVisible());
}

void ShellTest::roundTripsThroughEveryMethodWindow()
{
    Form7& m = shell::form7();
    m.Show();
    for (int round = 0; round < 2; ++round) {
        for (const MenuEntry& e : menu) {
            if (!e.window)
                continue;
            recorder.clear();
            QTest::mouseClick(button(m, e.button), Qt::LeftButton);
            QList<QWidget*> shown = visibleForms();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0]->objectName(), QString::fromLatin1(e.window));
            QCOMPARE(recorder.cues(QStringLiteral("Form7")), QStringList{"pinpon.wav"});

            recorder.clear();
            QTest::mouseClick(button(*shown[0], "Command3"), Qt::LeftButton);
            QCOMPARE(visibleForms(), QList<QWidget*>{&m});
            QCOMPARE(recorder.cues(QString::fromLatin1(e.window)), QStringList{"pinpon.wav"});
        }
    }
    // Ten windows, each made once, however often visited.
    QCOMPARE(platform::Form::createdCount(), 10);
    QSet<QString> names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<platform::Form*>(w))
            names.insert(w->objectName());
    QCOMPARE(names.size(), 10);
}

void ShellTest::menuQuitNoPlaysTheTuneOnTheMenu()
{
    Form7& m = shell::form7();
    m.Show();
    recorder.clear();
    services.answers = {platform::vbNo};
    QTest::mouseClick(m.Command2, Qt::LeftButton);
    QCOMPARE(recorder.cues(QStringLiteral("Form7")), QStringList({"endpinpon.wav", "passport.mid"}));
    // The next button's click cue stops the tune on the same player first.
    recorder.clear();
    QTest::mouseClick(m.Command3, Qt::LeftButton);
    QCOMPARE(recorder.commands(QStringLiteral("Form7")).mid(0, 2), QStringList({"Stop", "Close"}));
    QTest::mouseClick(button(shell::form19(), "Command3"), Qt::LeftButton);
    services.answers = {platform::vbYes};
    services.ends = 0;
    QTest::mouseClick(m.Command2, Qt::LeftButton);
    QCOMPARE(services.ends, 1);
}

void ShellTest::methodWindowsHaveTheirDesignSizes_data()
{
    QTest::addColumn<QWidget*>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("twips");
    QTest::addColumn<bool>("grey");
    QTest::newRow("Form9") << static_cast<QWidget*>(&shell::form9()) << "マツナガ ヨシスケの公式１を利用してπの近似値を求める" << QSize(9015, 5475) << false;
    QTest::newRow("Form10") << static_cast<QWidget*>(&shell::form10()) << "マツナガ ヨシスケの公式２を利用してπの近似値を求める" << QSize(9015, 5490) << false;
    QTest::newRow("Form15") << static_cast<QWidget*>(&shell::form15()) << "ウォーリスの公式を利用してπの近似値を求める" << QSize(9015, 5595) << false;
    QTest::newRow("Form16") << static_cast<QWidget*>(&shell::form16()) << "グレゴリー・ライプニッツの公式を利用してπの近似値を求める" << QSize(9135, 5610) << true;
    QTest::newRow("Form17") << static_cast<QWidget*>(&shell::form17()) << "オイラーの公式を利用してπの近似値を求める" << QSize(9225, 5595) << false;
    QTest::newRow("Form18") << static_cast<QWidget*>(&shell::form18()) << "円の内接正多角形の周の長さからπの近似値を求める" << QSize(5490, 7560) << true;
    QTest::newRow("Form19") << static_cast<QWidget*>(&shell::form19()) << "モンテカルロ法を利用してπの近似値を求める" << QSize(5535, 7860) << false;
    QTest::newRow("Form20") << static_cast<QWidget*>(&shell::form20()) << "ビュホンの針を利用してπの近似値を求める" << QSize(5535, 8070) << false;
}

void ShellTest::methodWindowsHaveTheirDesignSizes()
{
    QFETCH(QWidget*, window);
    QFETCH(QString, caption);
    QFETCH(QSize, twips);
    QFETCH(bool, grey);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->size(), QSize(platform::px(twips.width()), platform::px(twips.height())));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QColor background = window->palette().color(QPalette::Window);
    QCOMPARE(background == QColor(0xC0, 0xC0, 0xC0), grey);
}

void ShellTest::frameCloseActsLikeQuitWhileEnabled()
{
    Form7& m = shell::form7();
    m.Show();
    QTest::mouseClick(button(m, "Command3"), Qt::LeftButton);
    QWidget& window = shell::form19();
    QVERIFY(window.isVisible());

    services.messageBoxes.clear();
    services.answers = {platform::vbNo};
    QVERIFY(!window.close());
    QCOMPARE(services.messageBoxes.size(), 1);
    QVERIFY(window.isVisible());

    // While the quit button is disabled (as during a run) the close box is
    // ignored and nothing is asked.
    button(window, "Command1")->setEnabled(false);
    QVERIFY(!window.close());
    QCOMPARE(services.messageBoxes.size(), 1);
    QVERIFY(window.isVisible());
    button(window, "Command1")->setEnabled(true);
    QTest::mouseClick(button(window, "Command3"), Qt::LeftButton);
}

QTEST_MAIN(ShellTest)
#include "tst_title_and_menu.moc"
