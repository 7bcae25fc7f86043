#include "editor/interface_text.h"

#include <vector>

namespace fcw {

std::optional<InterfaceLanguage> parseLanguageName(std::string_view name) {
    if (name == "ja") {
        return InterfaceLanguage::Japanese;
    }
    if (name == "en") {
        return InterfaceLanguage::English;
    }
    return std::nullopt;
}

const char* languageName(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? "en" : "ja";
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                out += values[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace fcw
