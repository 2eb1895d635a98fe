#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quendal::common {

// A piece of outside text (a line of a file, a program's message) quoted in a
// message box. Capped, so that a huge line never makes a huge message.
inline constexpr std::size_t kQuoteChars = 40;

// `text` cut to at most `limit` characters (UTF-8), with "…" when cut.
// Control characters show as "?", so a quote never breaks the message's lines.
inline std::string capped(std::string_view text, std::size_t limit = kQuoteChars) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (i + length > text.size()) length = text.size() - i;
        if (chars == limit) return out + "…";
        if (lead < 0x20 || lead == 0x7F) {
            out += '?';
        } else {
            out.append(text.substr(i, length));
        }
        ++chars;
        i += length;
    }
    return out;
}

}  // namespace quendal::common
