#include "instruments/DotStyle.h"

#include "canvas/text/Ascii.h"

namespace instruments {

namespace {

// Whether the lower-case keyword occurs in the text with A-Z folded to lower case.
bool ContainsKeyword(std::string_view text, std::string_view keyword) {
    if (keyword.size() > text.size()) {
        return false;
    }
    for (std::size_t start = 0; start + keyword.size() <= text.size(); ++start) {
        std::size_t matched = 0;
        while (matched < keyword.size() &&
               instruments::text::LowerAscii(text[start + matched]) == keyword[matched]) {
            ++matched;
        }
        if (matched == keyword.size()) {
            return true;
        }
    }
    return false;
}

}  // namespace

DotStyle DotStyle::FromWords(std::string_view styleWords) {
    DotStyle style;
    style.shadow = ContainsKeyword(styleWords, "ombra");
    style.showUnlit = ContainsKeyword(styleWords, "fondo");
    style.joined = ContainsKeyword(styleWords, "unito");
    // Hollow only shapes joined dots; separate dots ignore it.
    style.hollow = style.joined && ContainsKeyword(styleWords, "vuoto");
    style.circle = ContainsKeyword(styleWords, "cerchio");
    return style;
}

}  // namespace instruments
