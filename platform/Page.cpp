// SPDX-License-Identifier: GPL-3.0-or-later
#include "Page.h"

#include <QCoreApplication>

#include <optional>
#include <utility>

namespace platform {

namespace {

struct Fragment {
    std::optional<int> palette; // none: the paragraph's own colour
    QString text;
};
struct Row : std::vector<Fragment> {
    bool wraps = false; // broken to fit: the next row goes on with it
};

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QChar(0x3000); }

// The rows of a paragraph with their coloured stretches.
std::vector<Row> parseRows(const QString& text)
{
    std::vector<Row> rows;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        Row row;
        std::optional<int> palette;
        QString piece;
        auto flush = [&] {
            if (!piece.isEmpty())
                row.push_back({palette, piece});
            piece.clear();
        };
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            const qsizetype bar = line.indexOf(QLatin1Char('|'), i);
            if (c == QLatin1Char('{') && !palette && bar > i + 1) {
                bool number = false;
                const int value = line.mid(i + 1, bar - i - 1).toInt(&number);
                if (number) {
                    flush();
                    palette = value;
                    i = bar;
                    continue;
                }
            }
            if (c == QLatin1Char('}') && palette) {
                flush();
                palette.reset();
                continue;
            }
            piece += c;
        }
        flush();
        rows.push_back(row);
    }
    return rows;
}

QString leadingBlanks(const Row& row)
{
    QString blanks;
    if (!row.empty())
        for (const QChar c : row.front().text) {
            if (!isBlank(c))
                break;
            blanks += c;
        }
    return blanks;
}

// Prints rows as they stand, changing the colour only where it changes.
void printRows(PictureBox& box, const std::vector<Row>& rows, rt::Colour base)
{
    for (const Row& row : rows) {
        if (row.empty()) {
            box.Print();
            continue;
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            const rt::Colour colour = row[i].palette ? rt::QBColor(*row[i].palette) : base;
            if (box.foreColor() != colour)
                box.setForeColor(colour);
            box.Print(row[i].text, i + 1 < row.size() ? PictureBox::StayOnLine
                                   : row.wraps                ? PictureBox::WrapLine
                                                              : PictureBox::EndLine);
        }
    }
}

// A translated paragraph broken into rows that fit: words go on a row while
// they fit between the row's indentation and a right margin of one
// ideographic space. Each line of the translation starts with the
// indentation of the source's row in the same place; rows made by breaking
// take that of the source's second row, or two ideographic spaces.
std::vector<Row> fitRows(const PictureBox& box, const std::vector<Row>& source, const std::vector<Row>& text)
{
    const double room = box.drawingArea().width() - box.textWidth(QString(QChar(0x3000)));
    const double space = box.textWidth(QStringLiteral(" "));
    const QString hanging = source.size() > 1 ? leadingBlanks(source[1]) : QString(2, QChar(0x3000));
    const auto widthOf = [&](const Row& row) {
        double width = 0;
        for (const Fragment& fragment : row)
            width += box.textWidth(fragment.text);
        return width;
    };
    const auto append = [](Row& row, const Fragment& fragment) {
        if (!row.empty() && row.back().palette == fragment.palette)
            row.back().text += fragment.text;
        else
            row.push_back(fragment);
    };

    std::vector<Row> rows;
    for (std::size_t r = 0; r < text.size(); ++r) {
        // Words are what lies between blanks; a word may change colour.
        std::vector<Row> words;
        Row word;
        for (const Fragment& fragment : text[r]) {
            for (const QChar c : fragment.text) {
                if (isBlank(c)) {
                    if (!word.empty())
                        words.push_back(std::exchange(word, {}));
                    continue;
                }
                append(word, {fragment.palette, QString(c)});
            }
        }
        if (!word.empty())
            words.push_back(word);
        if (words.empty()) {
            rows.emplace_back();
            continue;
        }

        const QString first = r < source.size() ? leadingBlanks(source[r]) : hanging;
        Row row;
        double width = 0;
        bool opening = true;
        for (const Row& next : words) {
            const double wordWidth = widthOf(next);
            if (row.empty() || width + space + wordWidth > room) {
                if (!row.empty()) {
                    row.wraps = true;
                    rows.push_back(row);
                }
                const QString indent = opening ? first : hanging;
                opening = false;
                row = Row{};
                row.push_back({next.front().palette, indent});
                width = box.textWidth(indent);
            } else {
                append(row, {next.front().palette == row.back().palette ? row.back().palette : std::nullopt,
                             QStringLiteral(" ")});
                width += space;
            }
            for (const Fragment& fragment : next)
                append(row, fragment);
            width += wordWidth;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

void PrintParagraph(PictureBox& box, const char* context, const char* source)
{
    const rt::Colour base = box.foreColor();
    const QString original = QString::fromUtf8(source);
    const QString translated = QCoreApplication::translate(context, source);
    if (translated == original)
        printRows(box, parseRows(original), base);
    else
        printRows(box, fitRows(box, parseRows(original), parseRows(translated)), base);
    box.setForeColor(base);
}

void PrintPage(PictureBox& box, const PrintedPage& page)
{
    box.setForeColor(rt::QBColor(0));
    for (const char* paragraph : page.paragraphs) {
        if (*paragraph == '\0')
            box.Print();
        else
            PrintParagraph(box, page.context, paragraph);
    }
}

} // namespace platform
