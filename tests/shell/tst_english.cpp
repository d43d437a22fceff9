// SPDX-License-Identifier: GPL-3.0-or-later
// The English interface: every page, notice, label and button of every
// window in English, fitting the room the design gives it, in the faces the
// translation picks, with no doubled blanks; and the numbers the same as in
// Japanese.
#include "experiments/Form19.h"
#include "experiments/Form20.h"
#include "platform/Controls.h"
#include "platform/accessible/Reading.h"
#include "series/Form9.h"
#include "shell/Language.h"
#include "shell/Observers.h"
#include "shell/Windows.h"
#include "support/Pages.h"
#include "support/Probes.h"
#include "support/Scripted.h"

#include <QAccessible>
#include <QFontInfo>
#include <QRegularExpression>
#include <QtTest>

using testing::Caption;
using testing::PrintedRow;

namespace {

// Kana, kanji and the half-width kana: what an English reader cannot read.
bool hasJapanese(const QString& text)
{
    static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF61}-\\x{FF9F}]"));
    return text.contains(japanese);
}

QStringList numbersIn(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?"));
    QStringList numbers;
    for (const QRegularExpressionMatch& match : number.globalMatch(text))
        numbers += match.captured();
    return numbers;
}

// The three labels of a Monte Carlo run of 500 points and the result of a
// Matsunaga run, in the language installed now.
QStringList runLabels(testing::ScriptedServices& services)
{
    services.seed(7);
    services.replies = {QStringLiteral("500")};
    Form19 experiment;
    experiment.Show();
    experiment.Command5->click();
    experiment.Command2->click();
    services.replies = {QStringLiteral("60")};
    Form9 series;
    series.Show();
    series.Command5->click();
    series.Command2->click();
    return {experiment.Label1->text(), experiment.Label2->text(), experiment.Label3->text(), series.Label3->text()};
}

} // namespace

class EnglishTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void latinFaceIsTheMeasuredOne();
    void languageIsTheFirstSorvenaHas_data();
    void languageIsTheFirstSorvenaHas();
    void numbersAreTheJapaneseOnes();
    void everyPageIsInEnglish_data();
    void everyPageIsInEnglish();
    void everyPrintedRowFits_data();
    void everyPrintedRowFits();
    void everyCaptionFits_data();
    void everyCaptionFits();
    void pageIsReadInWords_data();
    void readerHearsEnglish_data();
    void readerHearsEnglish();
    void pageIsReadInWords();

private:
    QStringList japaneseLabels_;
    testing::WindowTexts texts_;
};

void EnglishTest::initTestCase()
{
    shell::observeRuns();
    testing::ScriptedServices services;
    testing::SoundRecorder sounds;
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
    japaneseLabels_ = runLabels(services);

    QCOMPARE(shell::installTranslation({QStringLiteral("en-GB"), QStringLiteral("ja-JP")}), QStringLiteral("en"));
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
    texts_ = testing::everyText(services);
}

void EnglishTest::latinFaceIsTheMeasuredOne()
{
    QCOMPARE(QFontInfo(platform::japaneseFont(platform::Face::Gothic, 12)).family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(QFontInfo(platform::japaneseFont(platform::Face::Mincho, 12)).family(), QStringLiteral("DejaVu Serif"));
}

void EnglishTest::languageIsTheFirstSorvenaHas_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("chosen");
    // Qt's file dialog, in the program's language (Qt's own catalogue).
    QTest::addColumn<QString>("fileName");
    const QString japanese = QStringLiteral("ファイル名(&N):");
    const QString english = QStringLiteral("File &name:");
    QTest::newRow("C") << QStringList{"C"} << QString() << japanese;
    QTest::newRow("POSIX") << QStringList{"POSIX"} << QString() << japanese;
    QTest::newRow("Japanese") << QStringList{"ja-JP", "ja"} << QString() << japanese;
    QTest::newRow("English after Japanese") << QStringList{"en-US", "en"} << QStringLiteral("en") << english;
    QTest::newRow("Japanese before English") << QStringList{"ja", "en-US"} << QString() << japanese;
    QTest::newRow("German only") << QStringList{"de-DE", "de"} << QString() << japanese;
    // Last, so that the English the other tests read stays installed.
    QTest::newRow("French, then English") << QStringList{"fr-FR", "fr", "en"} << QStringLiteral("en") << english;
}

void EnglishTest::languageIsTheFirstSorvenaHas()
{
    QFETCH(QStringList, languages);
    QFETCH(QString, chosen);
    QFETCH(QString, fileName);
    QCOMPARE(shell::installTranslation(languages), chosen);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), fileName);
}

void EnglishTest::numbersAreTheJapaneseOnes()
{
    testing::ScriptedServices services;
    testing::SoundRecorder sounds;
    const QStringList english = runLabels(services);
    QCOMPARE(english.size(), japaneseLabels_.size());
    for (qsizetype i = 0; i < english.size(); ++i) {
        QVERIFY2(!hasJapanese(english[i]), qPrintable(english[i]));
        QVERIFY(english[i] != japaneseLabels_[i]);
        QVERIFY(!numbersIn(english[i]).isEmpty());
        QCOMPARE(numbersIn(english[i]), numbersIn(japaneseLabels_[i]));
    }
}

void EnglishTest::everyPageIsInEnglish_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("rows"); // a series page keeps its rows: labels lie below them
    for (const char* window : {"Form9", "Form10", "Form15", "Form16", "Form17"})
        QTest::newRow(window) << QString::fromLatin1(window) << 5;
    for (const char* window : {"Form18", "Form19", "Form20"})
        QTest::newRow(window) << QString::fromLatin1(window) << 0;
}

void EnglishTest::everyPageIsInEnglish()
{
    QFETCH(QString, window);
    QFETCH(int, rows);
    QStringList page;
    for (const PrintedRow& row : std::as_const(texts_.rows))
        if (row.window == window)
            page += row.pieces.join(QString());
    QVERIFY(page.size() >= 4);
    if (rows)
        QCOMPARE(page.size(), rows);
    for (const QString& row : std::as_const(page))
        QVERIFY2(!hasJapanese(row), qPrintable(row));
}

void EnglishTest::everyPrintedRowFits_data()
{
    testing::addRowsOf(texts_);
    const auto tightest = std::min_element(texts_.rows.begin(), texts_.rows.end(), [](const auto& a, const auto& b) {
        return a.room - a.width < b.room - b.width;
    });
    if (tightest != texts_.rows.end())
        qInfo("tightest row: %s row %d, %.1f of %.0f px: %s", qPrintable(tightest->window), tightest->line,
              tightest->width, tightest->room, qPrintable(tightest->pieces.join(QString())));
}

void EnglishTest::everyPrintedRowFits()
{
    // English rows are broken by measurement: they must fit down the
    // surface as well as across it.
    QFETCH(PrintedRow, row);
    const QString overflow = testing::overflow(row, true);
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow));
}

void EnglishTest::everyCaptionFits_data() { testing::addCaptionsOf(texts_); }

void EnglishTest::everyCaptionFits()
{
    QFETCH(Caption, caption);
    QVERIFY2(!hasJapanese(caption.text), qPrintable(caption.text));
    QVERIFY2(!caption.text.contains(QLatin1String("  ")), qPrintable(caption.text));
    const QString overflow = testing::overflow(caption);
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow));
}

void EnglishTest::pageIsReadInWords_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("explain"); // none: the formula picture
    QTest::addColumn<QString>("said"); // blanks as one
    QTest::newRow("rows broken at a blank") << "Form20" << "Command5" << "in 1733; Laplace later proposed";
    QTest::newRow("≈, leader dots unread") << "Form20" << "Command5" << "r is nearly equal to P equation 2";
    QTest::newRow("≤, sin, θ") << "Form20" << "Command5" << "y is less than or equal to b sine theta .";
    QTest::newRow("<") << "Form20" << "Command5" << "provided that b is less than a.";
    QTest::newRow("/, π, a bracket that groups") << "Form20" << "Command5" << "P equals 2b divided by pi a equation 1";
    QTest::newRow("a ratio's colon") << "Form19" << "Command5" << "area of square to area of circle is nearly equal to n to m.";
    QTest::newRow("rows broken twice, a colon of prose")
        << "Form18" << "Command6" << "and give it more and more sides, its perimeter comes ever closer to the circumference.";
    QTest::newRow("brackets of prose") << "Form16" << "Command5" << "Madhava (c. 1400), Gregory (1671) and Leibniz (1673)";
    QTest::newRow("squares grouped") << "Form9" << "" << "the product of 1 squared and 2 squared, over 3 times 4 times 5 times 6 plus";
    QTest::newRow("an open product") << "Form15" << "" << "the product of 2, 2, 4, 4, 6 and 6 and so on, over 1 times 3";
}

void EnglishTest::pageIsReadInWords()
{
    QFETCH(QString, window);
    QFETCH(QString, explain);
    QFETCH(QString, said);
    testing::ScriptedServices services;
    testing::SoundRecorder sounds;
    platform::Form& w = testing::window(window);
    w.Show();
    if (!explain.isEmpty())
        w.findChild<QPushButton*>(explain)->click();
    auto* box = w.findChild<platform::PictureBox*>(explain.isEmpty() ? QStringLiteral("Picture2") : QStringLiteral("Picture1"));
    const QString reading = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
    w.Hide();
    QVERIFY2(reading.simplified().contains(said), qPrintable(reading));
    // A heading after a sentence is a line of its own.
    if (window == QLatin1String("Form20"))
        QVERIFY2(reading.contains(QStringLiteral("\nOutline of a proof of  equation 1 \n")), qPrintable(reading));
}

void EnglishTest::readerHearsEnglish_data()
{
    QTest::addColumn<QString>("window");
    for (const char* window : {"Form1", "Form7", "Form9", "Form10", "Form15", "Form16", "Form17", "Form18", "Form19", "Form20"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void EnglishTest::readerHearsEnglish()
{
    // The window's accessible tree as initTestCase's runs left it, drawings
    // included: no Japanese, no full-width letters, no circled numbers, no
    // colon said "colon".
    QFETCH(QString, window);
    static const QRegularExpression unheard(QStringLiteral("[:\\x{2460}-\\x{2473}\\x{FF01}-\\x{FF5E}\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"));
    QStringList heard;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
            heard += node->text(t);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(&testing::window(window)));
    QVERIFY2(heard.filter(unheard).isEmpty(), qPrintable(heard.filter(unheard).join(u'\n')));
}

QTEST_MAIN(EnglishTest)
#include "tst_english.moc"
