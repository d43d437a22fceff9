// SPDX-License-Identifier: GPL-3.0-or-later
#include "Reading.h"

#include "Signs.h"

#include <optional>

namespace platform::accessible {

namespace {
// Kana, kanji and full-width forms: Japanese rows break between any two of
// them, a Latin-script row only where a blank stood.
bool isWide(QChar c) { return c.unicode() >= 0x2E80; }
bool isLatinLetter(QChar c) { return c.unicode() < 0x80 && c.isLetter(); }
} // namespace

Reading readingOf(const PictureBox& box)
{
    const std::vector<PictureBox::PrintedText>& printed = box.printed();
    Reading out;
    constexpr std::pair<std::size_t, int> lineBreak{std::size_t(-1), -1};
    int paragraphIndent = 0;
    bool lastRowWraps = false;
    bool lastRowHeading = false;
    std::optional<double> lastRowY;
    std::size_t first = 0;
    while (first < printed.size()) {
        std::size_t last = first;
        while (!printed[last].endsLine && last + 1 < printed.size())
            ++last;
        std::vector<std::pair<QChar, std::pair<std::size_t, int>>> row;
        for (std::size_t i = first; i <= last; ++i)
            for (int c = 0; c < printed[i].text.size(); ++c)
                row.push_back({printed[i].text[c], {i, c}});
        int begin = 0, end = int(row.size());
        while (begin < end && row[std::size_t(begin)].first.isSpace())
            ++begin;
        while (end > begin && row[std::size_t(end - 1)].first.isSpace())
            --end;
        if (end > begin) {
            // An empty line between rows ends a paragraph.
            const double em = printed[first].font.pointSizeF() * 96.0 / 72.0;
            const double y = printed[first].at.y();
            const bool adjacent = lastRowY && y - *lastRowY < 1.5 * em;
            // The pages open a paragraph three blanks in and go on two in;
            // a row one blank in, after them, is a heading: it stands alone,
            // with a pause either side.
            const bool heading = begin == 1 && paragraphIndent >= 3;
            const bool goesOn = adjacent && !heading && !lastRowHeading
                                && ((begin > 0 && begin < paragraphIndent) || lastRowWraps);
            lastRowHeading = heading;
            if (!goesOn) {
                if (!out.text.isEmpty()) {
                    out.text += QLatin1Char('\n');
                    out.sources.push_back(lineBreak);
                }
                paragraphIndent = begin;
            } else if (!out.text.back().isSpace() && !isWide(out.text.back()) && !isWide(row[std::size_t(begin)].first)) {
                out.text += QLatin1Char(' ');
                out.sources.push_back(lineBreak);
            }
            QString chars;
            for (int i = begin; i < end; ++i)
                chars += row[std::size_t(i)].first;
            const auto at = [&](int i) { return i >= 0 && i < chars.size() ? chars[i] : QChar(' '); };
            int bracketAfterSlash = 0;
            for (int i = 0; i < chars.size();) {
                const QChar c = chars[i];
                int run = 1, letters = 0;
                while (i + run < chars.size() && chars[i + run] == c)
                    ++run;
                while (isLatinLetter(at(i + letters)))
                    ++letters;
                const QString word = isLatinLetter(at(i - 1)) ? QString() : spokenWord(chars.mid(i, letters));
                int taken = 1;
                QString said;
                if (isLeader(QStringView(chars).mid(i, run))) {
                    taken = run;
                } else if (!word.isEmpty()) {
                    said = word;
                    taken = letters;
                } else if (c == QLatin1Char(':')) {
                    said = spokenColon(at(i - 1).isSpace() && at(i + 1).isSpace());
                } else if (c == QLatin1Char('(') && at(i - 1) == QLatin1Char('/')) {
                    ++bracketAfterSlash; // u/(2r): the bracket only groups the divisor
                } else if (c == QLatin1Char(')') && bracketAfterSlash > 0) {
                    --bracketAfterSlash;
                } else {
                    said = spokenSign(c);
                }
                out.text += said;
                for (int k = 0; k < said.size(); ++k)
                    out.sources.push_back(said.size() == 1 && taken == 1 ? row[std::size_t(begin + i)].second : lineBreak);
                i += taken;
            }
            lastRowWraps = printed[last].wraps;
            lastRowY = y;
        }
        first = last + 1;
    }
    return out;
}

} // namespace platform::accessible
