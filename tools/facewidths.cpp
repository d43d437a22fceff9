// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how wide every printed row, label caption and button caption of the
// program comes out in each candidate Japanese face, against the room the
// design gives it, so the faces can be chosen by measurement.
// Usage: facewidths [--all] [--english]   (--all lists every text, not just
// the tightest; --english measures the English texts in the Latin faces)
#include "platform/Controls.h"
#include "shell/Language.h"
#include "support/Pages.h"
#include "support/Scripted.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cstdio>

namespace {

struct Measured {
    QString where;
    QString text;
    double width, room;
    double margin() const { return room - width; }
};

QList<Measured> measure(const testing::WindowTexts& texts, bool mincho, const QString& family)
{
    QList<Measured> out;
    for (const testing::PrintedRow& row : texts.rows)
        if (testing::isMincho(row.font) == mincho)
            out += {QStringLiteral("%1 row %2 (%3 pt)").arg(row.window).arg(row.line).arg(row.font.pointSizeF()),
                    row.pieces.join(QString()), testing::widthOf(row, family), row.room};
    for (const testing::Caption& caption : texts.captions)
        if (testing::isMincho(caption.font) == mincho)
            out += {QStringLiteral("%1 %2 (%3 pt)").arg(caption.window, caption.control).arg(caption.font.pointSizeF()),
                    caption.text, testing::widthOf(caption, family), caption.room};
    std::sort(out.begin(), out.end(), [](const Measured& a, const Measured& b) { return a.margin() < b.margin(); });
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    const bool all = app.arguments().contains(QStringLiteral("--all"));
    const bool english = app.arguments().contains(QStringLiteral("--english"));
    if (english)
        shell::installTranslation({QStringLiteral("en")});
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));

    testing::ScriptedServices services;
    testing::SoundRecorder sounds;
    const testing::WindowTexts texts = testing::everyText(services);
    std::printf("%lld printed rows, %lld captions\n", qlonglong(texts.rows.size()), qlonglong(texts.captions.size()));

    const QStringList gothic = english ? QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Condensed"),
                                                     QStringLiteral("Noto Sans"), QStringLiteral("Nimbus Sans"),
                                                     QStringLiteral("Liberation Sans")}
                                       : QStringList{QStringLiteral("Ume P Gothic"), QStringLiteral("Ume P Gothic C4"),
                             QStringLiteral("Ume P Gothic O5"), QStringLiteral("IPAPGothic"),
                             QStringLiteral("VL PGothic"), QStringLiteral("IPAexGothic"),
                             QStringLiteral("Noto Sans CJK JP")};
    const QStringList mincho = english ? QStringList{QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif"),
                                                     QStringLiteral("Nimbus Roman"), QStringLiteral("Liberation Serif")}
                                       : QStringList{QStringLiteral("Ume P Mincho"), QStringLiteral("IPAPMincho"),
                                                     QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")};
    const QStringList installed = QFontDatabase::families();
    for (const bool isMincho : {false, true}) {
        std::printf("\n== %s faces\n", isMincho ? "Mincho" : "Gothic");
        for (const QString& family : isMincho ? mincho : gothic) {
            if (!installed.contains(family)) {
                std::printf("%-18s not installed\n", qPrintable(family));
                continue;
            }
            const QList<Measured> rows = measure(texts, isMincho, family);
            const auto over = std::count_if(rows.begin(), rows.end(), [](const Measured& m) { return m.margin() < 0; });
            std::printf("%-18s %lld texts, %lld too wide; tightest margin %.1f px\n", qPrintable(family),
                        qlonglong(rows.size()), qlonglong(over), rows.isEmpty() ? 0.0 : rows.first().margin());
            const qsizetype shown = all ? rows.size() : std::max<qsizetype>(over, 3);
            for (qsizetype i = 0; i < std::min(shown, rows.size()); ++i)
                std::printf("    %7.1f of %5.0f px, margin %6.1f  %-28s %s\n", rows[i].width, rows[i].room,
                            rows[i].margin(), qPrintable(rows[i].where), qPrintable(rows[i].text));
        }
    }
    std::printf("\nThe program's faces now: Gothic %s, Mincho %s\n",
                qPrintable(QFontInfo(platform::japaneseFont(platform::Face::Gothic, 12)).family()),
                qPrintable(QFontInfo(platform::japaneseFont(platform::Face::Mincho, 12)).family()));
    return 0;
}
