#include "tools/tessaro-cli/Language.h"

#include <cstdlib>
#include <string_view>

namespace cli {

Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
    }
    return Language::English;
}

Language LanguageOfEnvironment() {
    return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace cli
