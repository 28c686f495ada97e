#include "platform/TextLayout.h"

namespace platform {

namespace {

void wrapParagraph(const char* text, int begin, int end, int maxWidth,
                   const std::function<int(const char*, int)>& measure, int ellipsisWidth,
                   std::vector<TextLine>& lines) {
    if (begin == end) {
        lines.push_back(TextLine{begin, end, false});
        return;
    }
    int pos = begin;
    while (pos < end) {
        int fitEnd = -1, cursor = pos, wordEnd = pos;
        while (cursor < end) {
            wordEnd = cursor;
            while (wordEnd < end && text[wordEnd] == ' ') ++wordEnd;
            while (wordEnd < end && text[wordEnd] != ' ') ++wordEnd;
            if (measure(text + pos, wordEnd - pos) > maxWidth) break;
            fitEnd = cursor = wordEnd;
        }
        if (fitEnd < 0) {
            // Even the first word is too wide: keep what fits before the ellipsis.
            int n = wordEnd - pos;
            while (n > 0 && measure(text + pos, n) + ellipsisWidth > maxWidth) --n;
            lines.push_back(TextLine{pos, pos + n, true});
            pos = wordEnd;
        } else {
            int lineEnd = fitEnd;
            while (lineEnd > pos && text[lineEnd - 1] == ' ') --lineEnd;
            lines.push_back(TextLine{pos, lineEnd, false});
            pos = fitEnd;
        }
        while (pos < end && text[pos] == ' ') ++pos;
    }
}

}  // namespace

std::vector<TextLine> wrapWords(const char* text, int length, int maxWidth,
                                const std::function<int(const char*, int)>& measure, int ellipsisWidth) {
    std::vector<TextLine> lines;
    int start = 0;
    while (start <= length) {
        int feed = start;
        while (feed < length && text[feed] != '\n') ++feed;
        int end = feed;
        if (end > start && text[end - 1] == '\r') --end;
        wrapParagraph(text, start, end, maxWidth, measure, ellipsisWidth, lines);
        if (feed >= length) break;
        start = feed + 1;
    }
    return lines;
}

}  // namespace platform
