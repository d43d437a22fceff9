// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded click storms on the eight method windows: thousands of random
// clicks, input-box replies, quit answers and stop timings, with the window
// checked after every event (and inside every yield of a run) against the
// states it may be in. A failure prints its seed; running the same row again
// replays it, and SORVENA_STORM_SEED / SORVENA_STORM_EVENTS override the row.

#include "experiments/Form20.h"
#include "experiments/Form19.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"
#include "shell/Form7.h"
#include "shell/Windows.h"
#include "support/Scripted.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <optional>
#include <random>

using platform::Form;

namespace {

enum class Role { Quit, Menu, Start, Stop, Other };

struct ButtonRule {
    const char* name;
    QString caption;
    Role role;
    int weight; // relative chance of being picked
};

// Anchored patterns of one label; named groups n, m, c and v are read as
// numbers by the checks (n <= m wherever both stand).
struct LabelRule {
    const char* name;
    QString idle;    // outside a run and while the input box is open
    QString running; // inside a run's yield; empty: as idle
    bool clearedByActivation;
};

using Matches = QHash<QString, QRegularExpressionMatch>;

// What an answer below the accepted range does.
enum class Below { UseDefault, EndsAtOnce, Refused };

struct WindowRules {
    const char* name = nullptr;
    Form& (*window)() = nullptr;
    int (*stopFlag)() = nullptr;
    platform::CommandButton* Form7::*menuButton = nullptr;
    bool stopFlagStaysAfterStop = false; // until the next run clears it
    QList<ButtonRule> buttons;           // in screen order; rows list captions in it
    QStringList idleRows;                // the first is the state after activation
    QStringList askingRows;              // while the input box is open
    QStringList runningRows = {"中止", ""};
    QList<LabelRule> labels;
    std::function<QString(const Matches&)> consistency;
    double lowest = 0, highest = 0; // accepted counts
    Below below = Below::Refused;
    double defaultCount = 0;
    int smallLo = 0, smallHi = 0; // the storm's ordinary replies
};

const QString hint = QStringLiteral("［中止］をクリックすると止まります．．．");
const QString number = QStringLiteral(R"((?:\d+(?:\.\d+)?|\.\d+)(?:E[+-]\d+)?)");
const QString strForm = QStringLiteral("[ -]") + number; // Str: sign place first
const QString plainForm = QStringLiteral("-?") + number;
const QString format14 = QStringLiteral(R"(-?\d*\.\d{14})");

double value(const Matches& m, const char* label, const char* group)
{
    const QString text = m.value(QString::fromLatin1(label)).captured(QString::fromLatin1(group));
    return text.isEmpty() ? std::nan("") : text.trimmed().toDouble();
}

template <class F, F& (*instance)()>
WindowRules window(const char* name, platform::CommandButton* Form7::*menuButton)
{
    WindowRules s;
    s.name = name;
    s.window = [] () -> Form& { return instance(); };
    s.stopFlag = [] { return int(instance().StopFlag); };
    s.menuButton = menuButton;
    return s;
}

// What sets the five series windows apart, as far as the storm can see.
struct SeriesTraits {
    bool stopFlagStays;
    bool nextAfterCancel;   // 次へ enabled again by a cancelled box
    QStringList askingRows; // empty: the buttons are left alone until the box answers
    bool plainResult;       // π＝3 rather than π＝ 3
    double defaultCount;    // used for answers below 2
};

template <class F, F& (*instance)()>
WindowRules series(const char* name, platform::CommandButton* Form7::*menuButton, const SeriesTraits& t)
{
    WindowRules s = window<F, instance>(name, menuButton);
    s.stopFlagStaysAfterStop = t.stopFlagStays;
    s.buttons = {{"Command1", "終了", Role::Quit, 3}, {"Command3", "メニュー", Role::Menu, 1},
                 {"Command2", "計　　算", Role::Start, 6}, {"Command6", "中止", Role::Stop, 3},
                 {"Command5", "次へ", Role::Other, 5}};
    s.idleRows = {"終了 メニュー 次へ", "終了 メニュー 計　　算"};
    if (t.nextAfterCancel)
        s.idleRows << "終了 メニュー 計　　算 次へ";
    s.askingRows = t.askingRows.isEmpty() ? s.idleRows : t.askingRows;
    s.labels = {{"Label1", "", "|" + hint, true},
                {"Label2", "|(?<n> \\d+) / (?<m>" + strForm + ")", "", true},
                {"Label3", "|π＝(?<v>" + (t.plainResult ? plainForm : strForm) + ")", "", true}};
    s.lowest = 2;
    s.highest = qInf();
    s.below = Below::UseDefault;
    s.defaultCount = t.defaultCount;
    s.smallLo = 2;
    s.smallHi = 60;
    return s;
}

// The polygon's name and value belong together: v = k sin(pi / k).
QString polygonConsistency(const Matches& m)
{
    const double k = value(m, "Label1", "n"), v = value(m, "Label2", "v");
    if (std::isnan(k) != std::isnan(v))
        return QStringLiteral("name and value of the polygon out of step");
    if (!std::isnan(k) && std::abs(v - k * std::sin(M_PI / k)) > 1e-9)
        return QStringLiteral("value %1 is not that of the %2-gon").arg(v).arg(k);
    return {};
}

WindowRules polygons()
{
    WindowRules s = window<Form18, shell::form18>("Form18", &Form7::Command1);
    s.buttons = {{"Command1", "終了", Role::Quit, 3}, {"Command3", "メニュー", Role::Menu, 1},
                 {"Command4", "中止", Role::Stop, 3}, {"Command6", "解説", Role::Other, 3},
                 {"Command2", "自動", Role::Start, 5}, {"Command5", "手動", Role::Other, 12}};
    s.idleRows = {"終了 メニュー 解説", "終了 メニュー 手動", "終了 メニュー 自動 手動"};
    s.askingRows = {"中止"};
    s.labels = {{"Label1", "|正(?<n> [1-9]\\d*)角形", "", false},
                {"Label2", "|πの近似値＝(?<v> \\d+(?:\\.\\d{1,14})?|\\d*\\.\\d{14})", "", false},
                {"Label3", "|" + hint, "", false}};
    s.consistency = polygonConsistency;
    s.lowest = 3;
    s.highest = qInf();
    s.below = Below::EndsAtOnce;
    s.smallLo = 3;
    s.smallHi = 40;
    return s;
}

// Points inside never exceed points thrown; the estimate is 4m / n.
QString monteCarloConsistency(const Matches& m)
{
    const double n = value(m, "Label1", "n"), c = value(m, "Label2", "c"), v = value(m, "Label3", "v");
    if (std::isnan(n) != std::isnan(c) || std::isnan(n) != std::isnan(v))
        return QStringLiteral("result labels out of step");
    if (!std::isnan(n) && (c > n || std::abs(v - 4 * c / n) > 1e-6))
        return QStringLiteral("%1 inside of %2 does not give %3").arg(c).arg(n).arg(v);
    return {};
}

// Needles crossing never exceed needles dropped; the estimate n / c shows
// once a needle has crossed.
QString buffonConsistency(const Matches& m)
{
    const double n = value(m, "Label1", "n"), c = value(m, "Label2", "c"), v = value(m, "Label3", "v");
    if (std::isnan(n) != std::isnan(c) || std::isnan(v) != !(c > 0))
        return QStringLiteral("result labels out of step");
    if (!std::isnan(n) && (c > n || (c > 0 && std::abs(v - n / c) > 1e-6 * v)))
        return QStringLiteral("%1 crossing of %2 does not give %3").arg(c).arg(n).arg(v);
    return {};
}

struct ExperimentTraits {
    QString dropped, counted; // texts before the two counts
    bool hintStays;           // after a complete run and through activation
    double highest;
    std::function<QString(const Matches&)> consistency;
};

template <class F, F& (*instance)()>
WindowRules experiment(const char* name, platform::CommandButton* Form7::*menuButton, const ExperimentTraits& t)
{
    WindowRules s = window<F, instance>(name, menuButton);
    s.buttons = {{"Command1", "終了", Role::Quit, 3}, {"Command3", "メニュー", Role::Menu, 1},
                 {"Command4", "中止", Role::Stop, 3}, {"Command5", "解説", Role::Other, 4},
                 {"Command2", "実験", Role::Start, 6}};
    s.idleRows = {"終了 メニュー 解説", "終了 メニュー 実験"};
    s.askingRows = {"中止"};
    s.labels = {{"Label1", "|" + t.dropped + "(?<n> \\d+) / (?<m> \\d+)", "", true},
                {"Label2", "|" + t.counted + "(?<c> \\d+)", "", true},
                {"Label3", "|π＝(?<v>" + format14 + ")", "", true},
                {"Label4", t.hintStays ? "|" + hint : QString(), "|" + hint, !t.hintStays}};
    s.consistency = t.consistency;
    s.lowest = 10;
    s.highest = t.highest;
    s.smallLo = 10;
    s.smallHi = 60;
    return s;
}

const QList<WindowRules>& windows()
{
    static const QList<WindowRules> all = {
        series<Form9, shell::form9>("Form9", &Form7::Command5,
            {.stopFlagStays = false, .nextAfterCancel = true,
             .askingRows = {"終了 メニュー 中止", "終了 メニュー 中止 次へ"},
             .plainResult = false, .defaultCount = 100}),
        series<Form10, shell::form10>("Form10", &Form7::Command6,
            {.stopFlagStays = false, .nextAfterCancel = true, .askingRows = {},
             .plainResult = false, .defaultCount = 50}),
        series<Form15, shell::form15>("Form15", &Form7::Command11,
            {.stopFlagStays = true, .nextAfterCancel = false, .askingRows = {"中止"},
             .plainResult = false, .defaultCount = 10000}),
        series<Form16, shell::form16>("Form16", &Form7::Command12,
            {.stopFlagStays = true, .nextAfterCancel = false, .askingRows = {"中止"},
             .plainResult = false, .defaultCount = 10000}),
        series<Form17, shell::form17>("Form17", &Form7::Command13,
            {.stopFlagStays = true, .nextAfterCancel = false, .askingRows = {"中止"},
             .plainResult = true, .defaultCount = 10000}),
        polygons(),
        experiment<Form19, shell::form19>("Form19", &Form7::Command3,
            {.dropped = "打った点の総数＝", .counted = "円の内に入った点の個数＝", .hintStays = true,
             .highest = 10000, .consistency = monteCarloConsistency}),
        experiment<Form20, shell::form20>("Form20", &Form7::Command4,
            {.dropped = "落とした針の総数＝", .counted = "直線と交わった針の本数＝", .hintStays = false,
             .highest = 20000, .consistency = buffonConsistency}),
    };
    return all;
}

using Services = testing::ScriptedServices;

struct Reply {
    QString text; // null: Cancel
    std::optional<double> value;
};

enum class Phase { Idle, Asking, Running };

// Everything of the window a click could change.
struct Snapshot {
    QString row;
    QStringList labels;
    int stopFlag, pointer;
    QImage picture;
    bool operator==(const Snapshot&) const = default;
};

class Storm {
public:
    Storm(const WindowRules& rules, quint32 seed, testing::SoundRecorder& sounds)
        : rules_(rules), rng_(seed), seed_(seed), window_(rules.window()), sounds_(sounds)
    {
        services_.seed(seed);
        for (const ButtonRule& b : rules.buttons)
            buttons_.append(window_.findChild<QPushButton*>(QString::fromLatin1(b.name)));
        for (const LabelRule& l : rules.labels) {
            labels_.append(window_.findChild<QLabel*>(QString::fromLatin1(l.name)));
            idlePatterns_.append(QRegularExpression(QRegularExpression::anchoredPattern(l.idle)));
            runningPatterns_.append(QRegularExpression(
                QRegularExpression::anchoredPattern(l.running.isEmpty() ? l.idle : l.running)));
        }
        picture_ = window_.findChild<platform::PictureBox*>(QStringLiteral("Picture1"));
        services_.onInputBox = [this] { fail(check(Phase::Asking)); };
        services_.onDoEvents = [this](int) { duringRun(); };
    }

    QString run(int events)
    {
        fail(enterFromMenu());
        while (failure_.isEmpty() && events_ < events) {
            if (shell::form7().isVisible())
                fail(menuEvent());
            else
                fail(windowEvent());
        }
        return failure_;
    }

    QString summary() const
    {
        return QStringLiteral("%1: %2 events (%3 in runs), %4 runs (%5 stopped), %6 passes")
            .arg(QLatin1String(rules_.name)).arg(events_).arg(eventsInRuns_).arg(runs_).arg(stoppedRuns_).arg(passes_);
    }

private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class T> const T& oneOf(const QList<T>& list) { return list[uniform(0, int(list.size()) - 1)]; }

    void fail(const QString& error)
    {
        if (!error.isEmpty() && failure_.isEmpty())
            failure_ = QStringLiteral("event %1: %2\nlast events:\n  %3").arg(events_).arg(error, trail_.join("\n  "));
    }
    void note(const QString& event)
    {
        trail_.append(QStringLiteral("#%1 %2").arg(events_).arg(event));
        if (trail_.size() > 12)
            trail_.removeFirst();
    }

    QString row() const
    {
        QStringList enabled;
        for (qsizetype i = 0; i < buttons_.size(); ++i)
            if (buttons_[i]->isEnabled())
                enabled.append(rules_.buttons[i].caption);
        return enabled.join(QLatin1Char(' '));
    }

    Snapshot snapshot() const
    {
        Snapshot s{row(), {}, rules_.stopFlag(), window_.mousePointer(), picture_->image()};
        for (const QLabel* l : labels_)
            s.labels.append(l->text());
        return s;
    }

    // Exactly this window is shown, and no other top-level widget.
    static QString onlyShown(QWidget& window)
    {
        QList<QWidget*> shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                shown.append(w);
        if (shown != QList<QWidget*>{&window})
            return QStringLiteral("%1 top-level windows shown, not just %2").arg(shown.size()).arg(window.objectName());
        return {};
    }

    QString check(Phase phase) const
    {
        if (QString e = onlyShown(window_); !e.isEmpty())
            return e;

        const QStringList& rows = phase == Phase::Idle ? rules_.idleRows
                                  : phase == Phase::Asking ? rules_.askingRows : rules_.runningRows;
        if (!rows.contains(row()))
            return QStringLiteral("enabled buttons {%1} not allowed here").arg(row());

        const int flag = rules_.stopFlag();
        const int wantedFlag = phase == Phase::Idle ? idleFlag_ : phase == Phase::Asking ? 0 : stopped_ ? 1 : 0;
        if (flag != wantedFlag)
            return QStringLiteral("StopFlag %1, expected %2").arg(flag).arg(wantedFlag);
        const int wantedPointer = phase == Phase::Running ? 13 : 0;
        if (window_.mousePointer() != wantedPointer)
            return QStringLiteral("mouse pointer %1, expected %2").arg(window_.mousePointer()).arg(wantedPointer);

        Matches matches;
        for (qsizetype i = 0; i < labels_.size(); ++i) {
            const LabelRule& l = rules_.labels[i];
            const QRegularExpression& re = phase == Phase::Running ? runningPatterns_[i] : idlePatterns_[i];
            const QRegularExpressionMatch m = re.match(labels_[i]->text());
            if (!m.hasMatch())
                return QStringLiteral("%1 reads \"%2\"").arg(QLatin1String(l.name), labels_[i]->text());
            const QString n = m.captured(QStringLiteral("n")), total = m.captured(QStringLiteral("m"));
            if (!n.isEmpty() && !total.isEmpty() && n.trimmed().toDouble() > total.trimmed().toDouble())
                return QStringLiteral("%1 counts past its total: \"%2\"")
                    .arg(QLatin1String(l.name), labels_[i]->text());
            matches.insert(QString::fromLatin1(l.name), m);
        }
        return rules_.consistency ? rules_.consistency(matches) : QString();
    }

    QString enterFromMenu()
    {
        ++events_;
        note(QStringLiteral("menu button of %1").arg(rules_.name));
        QTest::mouseClick(shell::form7().*rules_.menuButton, Qt::LeftButton);
        if (!window_.isVisible())
            return QStringLiteral("the menu button did not show %1").arg(rules_.name);
        if (row() != rules_.idleRows.first())
            return QStringLiteral("after activation {%1}, expected {%2}").arg(row(), rules_.idleRows.first());
        for (qsizetype i = 0; i < labels_.size(); ++i)
            if (rules_.labels[i].clearedByActivation && !labels_[i]->text().isEmpty())
                return QStringLiteral("activation left %1 \"%2\"")
                    .arg(QLatin1String(rules_.labels[i].name), labels_[i]->text());
        return check(Phase::Idle);
    }

    QString menuEvent()
    {
        if (!chance(0.15))
            return enterFromMenu();
        ++events_;
        const bool yes = chance(0.2);
        note(QStringLiteral("menu 終　　　　　了, answered %1").arg(yes ? "Yes" : "No"));
        services_.answers = {yes ? platform::vbYes : platform::vbNo};
        const int asked = int(services_.messageBoxes.size()), ends = services_.ends;
        QTest::mouseClick(shell::form7().Command2, Qt::LeftButton);
        if (services_.messageBoxes.size() != asked + 1 || services_.ends != ends + (yes ? 1 : 0))
            return QStringLiteral("the menu's quit did not ask once and end only on Yes");
        return onlyShown(shell::form7());
    }

    Reply randomReply()
    {
        const double lo = rules_.lowest, hi = rules_.highest;
        const auto ascii = [](double v) {
            if (v >= 1e15)
                return QStringLiteral("1E%1").arg(int(std::log10(v)));
            return v == std::floor(v) ? QString::number(qint64(v)) : QString::number(v, 'f', 2);
        };
        const auto fullWidth = [](QString text) {
            for (QChar& c : text)
                if (c.isDigit() || c == u'.' || c == u'-' || c == u'E')
                    c = QChar(c.unicode() - 0x20 + 0xFF00);
            return text;
        };
        const int kind = uniform(0, 99);
        if (kind < 40) {
            const double v = uniform(rules_.smallLo, rules_.smallHi);
            return {ascii(v), v};
        }
        if (kind < 55) {
            QList<double> edges = {lo - 0.01, lo + 0.9, lo - 1, 0, -3};
            if (std::isfinite(hi))
                edges << hi + 0.5 << hi + 1;
            const double v = oneOf(edges);
            return {ascii(v), v};
        }
        if (kind < 67)
            return {oneOf(QStringList{"abc", "三十", "1/2", "12a", "３０個", "1e", "+", ".", "--5", "0x10", "inf",
                                      "nan"}),
                    std::nullopt};
        if (kind < 75)
            return {oneOf(QStringList{"", " ", "　", "　 "}), std::nullopt};
        if (kind < 83)
            return {QString(), std::nullopt};
        if (kind < 95) {
            const double v = uniform(rules_.smallLo, rules_.smallHi);
            const QString text = chance(0.5) ? fullWidth(ascii(v)) : ascii(v);
            return {oneOf(QStringList{"　", " ", ""}) + text + oneOf(QStringList{"　", " ", ""}), v};
        }
        QList<double> huge = {1e20, 100000};
        if (std::isfinite(hi))
            huge << hi;
        const double v = oneOf(huge);
        return {chance(0.3) ? fullWidth(ascii(v)) : ascii(v), v};
    }

    // Inside every yield of a run: check, perhaps click a button (the stop
    // button, or a disabled one that must ignore it), always stop long runs.
    void duringRun()
    {
        ++passes_;
        ++runPasses_;
        if (runPasses_ > maxPasses_ + 100) // the window ignores its stop button
            qFatal("%s", qPrintable(QStringLiteral("seed 0x%1, %2 run does not end; %3")
                                        .arg(QString::number(seed_, 16), QLatin1String(rules_.name), failure_)));
        if (stopped_) {
            fail(QStringLiteral("the run went on after 中止 had been clicked"));
            return;
        }
        fail(check(Phase::Running));
        QPushButton* stop = buttons_[stopIndex()];
        if (chance(0.25)) {
            const qsizetype i = uniform(0, int(buttons_.size()) - 1);
            if (!buttons_[i]->isEnabled())
                clickInRun(i);
        }
        if (!stopped_ && (chance(1.0 / 80) || runPasses_ >= maxPasses_ || !failure_.isEmpty()))
            clickInRun(stopIndex());
        if (stop->isEnabled() == stopped_)
            fail(QStringLiteral("中止 %1 after its click").arg(stopped_ ? "still enabled" : "disabled"));
    }

    void clickInRun(qsizetype i)
    {
        ++events_;
        ++eventsInRuns_;
        const bool enabled = buttons_[i]->isEnabled();
        const bool frame = rules_.buttons[i].role == Role::Quit && chance(0.3);
        const QString what = frame ? QStringLiteral("close box") : rules_.buttons[i].caption;
        note(QStringLiteral("  pass %1: %2 (%3)").arg(runPasses_).arg(what, enabled ? "on" : "off"));
        const Snapshot before = snapshot();
        press(i, frame);
        if (enabled && i == stopIndex()) {
            stopped_ = true;
            fail(check(Phase::Running));
        } else if (snapshot() != before) {
            fail(QStringLiteral("a click on the disabled %1 changed the window").arg(rules_.buttons[i].caption));
        }
    }

    // A click on the button, or for the quit button sometimes a close
    // request from the window frame, which stands for it.
    void press(qsizetype i, bool viaFrame)
    {
        if (viaFrame)
            window_.close();
        else
            QTest::mouseClick(buttons_[i], Qt::LeftButton);
    }

    qsizetype stopIndex() const
    {
        for (qsizetype i = 0; i < rules_.buttons.size(); ++i)
            if (rules_.buttons[i].role == Role::Stop)
                return i;
        return -1;
    }

    QString windowEvent()
    {
        QList<double> weights;
        for (const ButtonRule& b : rules_.buttons)
            weights.append(b.weight);
        const qsizetype i = std::discrete_distribution<qsizetype>(weights.begin(), weights.end())(rng_);
        const ButtonRule& b = rules_.buttons[i];
        const bool enabled = buttons_[i]->isEnabled();
        const Reply reply = randomReply();
        const bool yes = chance(0.15);
        services_.replies = {reply.text};
        services_.answers = {yes ? platform::vbYes : platform::vbNo};
        const bool frame = b.role == Role::Quit && chance(0.3);
        const QString what = frame ? QStringLiteral("close box") : b.caption;
        QString event = QStringLiteral("%1 (%2)").arg(what, enabled ? "on" : "off");
        if (enabled && b.role == Role::Start)
            event += reply.text.isNull() ? QStringLiteral(", Cancel")
                                         : QStringLiteral(", reply \"%1\"").arg(reply.text);
        if (enabled && b.role == Role::Quit)
            event += yes ? QStringLiteral(", Yes") : QStringLiteral(", No");
        ++events_;
        note(event);

        const Snapshot before = snapshot();
        const int asked = int(services_.inputBoxes.size()), boxes = int(services_.messageBoxes.size());
        const int beeps = services_.beeps, ends = services_.ends;
        sounds_.clear();
        stopped_ = false;
        runPasses_ = 0;
        maxPasses_ = uniform(1, 150);
        press(i, frame);
        services_.replies.clear();
        services_.answers.clear();
        if (!failure_.isEmpty())
            return failure_;

        const QStringList cues = sounds_.cues(QLatin1String(rules_.name));
        const int askedNow = int(services_.inputBoxes.size()) - asked;
        const int boxesNow = int(services_.messageBoxes.size()) - boxes;
        if (!enabled) {
            if (snapshot() != before || !sounds_.log.isEmpty() || askedNow || boxesNow)
                return QStringLiteral("a click on the disabled %1 was not ignored").arg(b.caption);
            return check(Phase::Idle);
        }
        if (askedNow != (b.role == Role::Start ? 1 : 0) || boxesNow != (b.role == Role::Quit ? 1 : 0))
            return QStringLiteral("%1 asked %2 input boxes and %3 message boxes")
                .arg(b.caption).arg(askedNow).arg(boxesNow);
        if (cues.isEmpty() || cues.first() != (b.role == Role::Quit ? "endpinpon.wav" : "pinpon.wav"))
            return QStringLiteral("%1 gave the cues %2").arg(b.caption, cues.join(QLatin1Char(',')));
        switch (b.role) {
        case Role::Quit:
            if (services_.ends != ends + (yes ? 1 : 0))
                return QStringLiteral("End called %1 times").arg(services_.ends - ends);
            if (snapshot() != before)
                return QStringLiteral("終了 answered %1 changed the window").arg(yes ? "Yes" : "No");
            break;
        case Role::Menu:
            return onlyShown(shell::form7());
        case Role::Start:
            if (QString e = afterStart(reply, cues, services_.beeps - beeps); !e.isEmpty())
                return e;
            break;
        case Role::Stop:
            return QStringLiteral("中止 was enabled outside a run");
        case Role::Other:
            if (cues.size() != 1)
                return QStringLiteral("%1 gave the cues %2").arg(b.caption, cues.join(QLatin1Char(',')));
            break;
        }
        return check(Phase::Idle);
    }

    // The outcome of a start click, from the reply alone.
    QString afterStart(const Reply& reply, const QStringList& cues, int beeps)
    {
        bool runs = false, endCue = false, beep = false;
        double count = 0;
        const double v = reply.value.value_or(qQNaN()); // not a number: as Cancel
        if (v >= rules_.lowest && v <= rules_.highest) {
            runs = endCue = true;
            count = std::floor(v);
        } else if (v < rules_.lowest && rules_.below == Below::UseDefault) {
            runs = endCue = beep = true;
            count = rules_.defaultCount;
        } else if (v < rules_.lowest && rules_.below == Below::EndsAtOnce) {
            endCue = true;
        }
        if (runs) {
            ++runs_;
            stoppedRuns_ += stopped_ ? 1 : 0;
        }
        idleFlag_ = rules_.stopFlagStaysAfterStop && stopped_ ? 1 : 0;
        if (beeps != (beep ? 1 : 0))
            return QStringLiteral("%1 beeps").arg(beeps);
        if (cues.count(QStringLiteral("logoff.wav")) != (endCue ? 1 : 0))
            return QStringLiteral("the cues %1 after this reply, expected %2 end-of-run cue")
                .arg(cues.join(QLatin1Char(',')), endCue ? "one" : "no");
        if (runs != (runPasses_ > 0))
            return QStringLiteral("%1 passes after this reply").arg(runPasses_);
        return counterAtEnd(runs, count);
    }

    // The counter of an unstopped run ends at the count, and one written by
    // this run shows the count as its total (a stop honoured in the first
    // pass may leave the previous run's counter).
    QString counterAtEnd(bool runs, double count) const
    {
        if (!runs || (stopped_ && runPasses_ == 1))
            return {};
        for (qsizetype i = 0; i < labels_.size(); ++i) {
            const QString text = labels_[i]->text();
            const QRegularExpressionMatch m = idlePatterns_[i].match(text);
            const QString n = m.captured(QStringLiteral("n")), total = m.captured(QStringLiteral("m"));
            if (!total.isEmpty() && total.trimmed().toDouble() != count)
                return QStringLiteral("\"%1\" does not total %2").arg(text).arg(count);
            if (!stopped_ && !n.isEmpty() && n.trimmed().toDouble() != count)
                return QStringLiteral("a complete run left \"%1\", not at %2").arg(text).arg(count);
        }
        return {};
    }

    const WindowRules& rules_;
    std::mt19937 rng_;
    quint32 seed_ = 0;
    Form& window_;
    QList<QPushButton*> buttons_;
    QList<QLabel*> labels_;
    QList<QRegularExpression> idlePatterns_, runningPatterns_;
    platform::PictureBox* picture_ = nullptr;
    testing::SoundRecorder& sounds_;
    Services services_;
    QString failure_;
    QStringList trail_;
    int events_ = 0, eventsInRuns_ = 0, runs_ = 0, stoppedRuns_ = 0, passes_ = 0;
    int runPasses_ = 0, maxPasses_ = 0, idleFlag_ = 0;
    bool stopped_ = false;
};

} // namespace

class TestClickStorm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void storm_data();
    void storm();

private:
    // Before any window exists, so that every player gets a silent device.
    testing::SoundRecorder sounds;
};

void TestClickStorm::init() { shell::form7().Show(); }

void TestClickStorm::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(w); form && form->isVisible())
            form->Hide();
}

void TestClickStorm::storm_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<quint32>("seed");
    const quint32 seeds[] = {0x5eed0009, 0x5eed0010, 0x5eed0015, 0x5eed0016,
                             0x5eed0017, 0x5eed0018, 0x5eed0019, 0x5eed0020};
    for (int i = 0; i < windows().size(); ++i)
        QTest::newRow(windows()[i].name) << i << seeds[i];
}

void TestClickStorm::storm()
{
    QFETCH(int, window);
    QFETCH(quint32, seed);
    bool ok = false;
    if (const quint32 forced = qEnvironmentVariable("SORVENA_STORM_SEED").toUInt(&ok, 0); ok)
        seed = forced;
    const int events = qEnvironmentVariableIntValue("SORVENA_STORM_EVENTS", &ok);

    QElapsedTimer clock;
    clock.start();
    Storm storm(windows()[window], seed, sounds);
    const QString failure = storm.run(ok ? events : 3000);
    qInfo().noquote() << storm.summary() << "in" << clock.elapsed() << "ms, seed" << Qt::hex << Qt::showbase << seed;
    if (!failure.isEmpty())
        QFAIL(qPrintable(QStringLiteral("seed 0x%1, %2").arg(QString::number(seed, 16), failure)));
}

QTEST_MAIN(TestClickStorm)
#include "tst_clickstorm.moc"
