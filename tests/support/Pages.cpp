// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include "Scripted.h"

#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"
#include "shell/Form1.h"
#include "shell/Form7.h"
#include "shell/Windows.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPushButton>
#include <QHash>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>
#include <functional>

namespace testing {

namespace {

// What a user does in a window: its explanation button, manual steps
// before the start button, the start button and the reply to its input box.
struct Script {
    std::function<platform::Form&()> open;
    const char* explanation = nullptr;
    const char* manualStep = nullptr;
    int manualSteps = 0;
    const char* start = nullptr;
    QString reply;
    bool runPrints = false; // the run adds to the page rather than clearing it
};

QList<Script> scripts()
{
    const QString belowTwo = QStringLiteral("1");
    return {
        {[]() -> platform::Form& { return shell::form1(); }},
        {[]() -> platform::Form& { return shell::form7(); }},
        {[]() -> platform::Form& { return shell::form9(); }, "Command5", nullptr, 0, "Command2", belowTwo, true},
        {[]() -> platform::Form& { return shell::form10(); }, "Command5", nullptr, 0, "Command2", belowTwo, true},
        {[]() -> platform::Form& { return shell::form15(); }, "Command5", nullptr, 0, "Command2", belowTwo, true},
        {[]() -> platform::Form& { return shell::form16(); }, "Command5", nullptr, 0, "Command2", belowTwo, true},
        {[]() -> platform::Form& { return shell::form17(); }, "Command5", nullptr, 0, "Command2", belowTwo, true},
        // Nine manual steps, triangle to 11-gon, unlock the automatic run.
        {[]() -> platform::Form& { return shell::form18(); }, "Command6", "Command5", 9, "Command2", QStringLiteral("1000")},
        {[]() -> platform::Form& { return shell::form19(); }, "Command5", nullptr, 0, "Command2", QStringLiteral("10000")},
        {[]() -> platform::Form& { return shell::form20(); }, "Command5", nullptr, 0, "Command2", QStringLiteral("20000")},
    };
}

void click(platform::Form& window, const char* name)
{
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    Q_ASSERT(button);
    button->click();
}

double buttonRoom(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// Text measured as on the 96-dpi surfaces and screens.
const QImage& device96()
{
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(3780);
        i.setDotsPerMeterY(3780);
        return i;
    }();
    return image;
}

class Collector {
public:
    explicit Collector(WindowTexts& out) : out_(out) {}

    void captions(const platform::Form& window, bool buttonsToo)
    {
        for (const platform::Label* label : window.findChildren<platform::Label*>())
            add({window.objectName(), label->objectName(), label->text(), label->font(),
                 double(label->contentsRect().width())});
        if (!buttonsToo)
            return;
        for (const QPushButton* button : window.findChildren<QPushButton*>())
            add({window.objectName(), button->objectName(), button->text(), button->font(), buttonRoom(button)});
    }

    void rows(const platform::Form& window)
    {
        const auto* box = window.findChild<platform::PictureBox*>(QStringLiteral("Picture1"));
        Q_ASSERT(box);
        PrintedRow row;
        for (const platform::PictureBox::PrintedText& piece : box->printed()) {
            if (row.pieces.isEmpty()) {
                row.window = window.objectName();
                // Lines of one em, counted from the top of the page.
                const double em = piece.font.pointSizeF() * device96().logicalDpiY() / 72.0;
                row.line = 1 + int(std::lround(piece.at.y() / em));
                row.font = piece.font;
                row.bottom = piece.at.y() + em;
            }
            row.pieces += piece.text;
            row.width = piece.at.x() + piece.advance;
            if (piece.endsLine) {
                row.room = box->drawingArea().width();
                row.depth = box->drawingArea().height();
                out_.rows += row;
                row = PrintedRow();
            }
        }
    }

private:
    // Counters take thousands of captions that differ only in their digits:
    // of those, the widest is kept.
    void add(const Caption& caption)
    {
        if (caption.text.isEmpty())
            return;
        QString shape = caption.text;
        for (QChar& c : shape)
            if (c.isDigit())
                c = QLatin1Char('0');
        const QString key = caption.window + QLatin1Char('/') + caption.control + QLatin1Char('/') + shape;
        const auto found = seen_.constFind(key);
        if (found == seen_.constEnd()) {
            seen_.insert(key, out_.captions.size());
            out_.captions += caption;
        } else if (widthOf(caption) > widthOf(out_.captions[*found])) {
            out_.captions[*found] = caption;
        }
    }

    WindowTexts& out_;
    QHash<QString, qsizetype> seen_;
};

QFont withFamily(QFont font, const QString& family)
{
    if (!family.isEmpty())
        font.setFamilies({family});
    return font;
}

} // namespace

WindowTexts everyText(ScriptedServices& services)
{
    WindowTexts out;
    Collector collect(out);
    for (const Script& script : scripts()) {
        platform::Form& window = script.open();
        window.Show();
        collect.captions(window, true);
        if (script.explanation) {
            click(window, script.explanation);
            if (!script.runPrints)
                collect.rows(window);
            for (int i = 0; i < script.manualSteps; ++i) {
                click(window, script.manualStep);
                collect.captions(window, false);
            }
            services.replies = {script.reply};
            services.onDoEvents = [&](int) { collect.captions(window, false); };
            click(window, script.start);
            services.onDoEvents = nullptr;
            collect.captions(window, true);
            if (script.runPrints)
                collect.rows(window);
        }
        window.Hide();
    }
    return out;
}

double widthOf(const PrintedRow& row, const QString& family)
{
    if (family.isEmpty())
        return row.width;
    const QFontMetricsF metrics(withFamily(row.font, family), &device96());
    double width = 0;
    for (const QString& piece : row.pieces)
        width += metrics.horizontalAdvance(piece);
    return width;
}

double widthOf(const Caption& caption, const QString& family)
{
    const QFontMetricsF metrics(withFamily(caption.font, family), &device96());
    return metrics.horizontalAdvance(caption.text);
}

bool isMincho(const QFont& font)
{
    return font.families().contains(QStringLiteral("ＭＳ Ｐ明朝"));
}

void addRowsOf(const WindowTexts& texts)
{
    QTest::addColumn<PrintedRow>("row");
    for (const PrintedRow& row : texts.rows)
        QTest::addRow("%s row %d", qPrintable(row.window), row.line) << row;
}

void addCaptionsOf(const WindowTexts& texts)
{
    QTest::addColumn<Caption>("caption");
    for (const Caption& caption : texts.captions)
        QTest::addRow("%s %s %s", qPrintable(caption.window), qPrintable(caption.control), qPrintable(caption.text))
            << caption;
}

QString overflow(const PrintedRow& row, bool deep)
{
    if (row.room <= 0 || (deep && row.depth <= 0))
        return QStringLiteral("no room measured");
    if (row.width > row.room)
        return QStringLiteral("%1 px on a %2-px surface: %3").arg(row.width).arg(row.room).arg(row.pieces.join(QString()));
    if (deep && row.bottom > row.depth)
        return QStringLiteral("line %1 ends %2 px down a %3-px surface").arg(row.line).arg(row.bottom).arg(row.depth);
    return {};
}

QString overflow(const Caption& caption)
{
    const double width = widthOf(caption);
    if (caption.room <= 0)
        return QStringLiteral("no room measured");
    return width > caption.room ? QStringLiteral("%1 px in %2 px").arg(width).arg(caption.room) : QString();
}

} // namespace testing
