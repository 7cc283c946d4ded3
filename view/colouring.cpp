#include "view/colouring.h"

namespace regsmith {

namespace {

enum class ScanState { Normal, String, Char, LineComment, BlockComment };

void Colour(std::vector<fw::ColourRange>& runs, std::size_t first, std::size_t last, fw::Rgb colour) {
    runs.push_back(fw::ColourRange{first, last - first + 1, colour});
}

}  // namespace

std::vector<fw::ColourRange> ScanColours(std::string_view text, bool assembly) {
    std::vector<fw::ColourRange> runs;
    const std::size_t size = text.size();
    // The character at `position`, or NUL for a position outside the text.
    auto at = [&](std::size_t position) { return position < size ? text[position] : '\0'; };

    ScanState state = ScanState::Normal;
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        switch (state) {
            case ScanState::Normal:
                if (c == '"') {
                    state = ScanState::String;
                    start = i;
                } else if (c == '\'') {
                    state = ScanState::Char;
                    start = i;
                } else if (!assembly && c == '/' && at(i + 1) == '/') {
                    state = ScanState::LineComment;
                    start = i++;
                } else if (!assembly && c == '/' && at(i + 1) == '*') {
                    state = ScanState::BlockComment;
                    start = i++;
                } else if (assembly && c == ';') {
                    // The character after ";" is skipped whatever it is.
                    state = ScanState::LineComment;
                    start = i++;
                }
                break;
            case ScanState::String:
                if (c == '"') {
                    Colour(runs, start, i, kLiteralColour);
                    state = ScanState::Normal;
                }
                break;
            case ScanState::Char:
                if (c == '\'') {
                    // '\'' : the quote after a backslash and before another
                    // quote belongs to the literal.
                    const bool escaped = i > 0 && text[i - 1] == '\\' && at(i + 1) == '\'';
                    if (!escaped) {
                        Colour(runs, start, i, kLiteralColour);
                        state = ScanState::Normal;
                    }
                }
                break;
            case ScanState::LineComment:
                if (c == '\n') {
                    // A backslash before the CR LF continues the comment.
                    const bool continued = i >= 2 && text[i - 2] == '\\';
                    if (!continued) {
                        Colour(runs, start, i, kCommentColour);
                        state = ScanState::Normal;
                    }
                }
                break;
            case ScanState::BlockComment:
                if (c == '*' && at(i + 1) == '/') {
                    Colour(runs, start, i + 1, kCommentColour);
                    state = ScanState::Normal;
                    ++i;
                }
                break;
        }
    }
    if (size > 0) {
        switch (state) {
            case ScanState::String:
            case ScanState::Char: Colour(runs, start, size - 1, kLiteralColour); break;
            case ScanState::LineComment:
            case ScanState::BlockComment: Colour(runs, start, size - 1, kCommentColour); break;
            case ScanState::Normal: break;
        }
    }
    return runs;
}

}  // namespace regsmith
