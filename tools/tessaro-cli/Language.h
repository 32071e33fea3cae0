#pragma once

#include <string>

namespace cli {

enum class Language { English, Japanese };

// The language of the messages, as the locale says: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty; Japanese when it starts
// with "ja", English otherwise.
Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
Language LanguageOfEnvironment();

// A message in both languages; the command line picks one when it prints.
struct Text {
    std::string en;
    std::string ja;
    const std::string& In(Language language) const { return language == Language::Japanese ? ja : en; }
};

}  // namespace cli
