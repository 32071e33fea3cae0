// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Translation.h"

namespace {

Translator installed = nullptr;

}  // namespace

void SetTranslator(Translator translator) { installed = translator; }

bool Translating() { return installed != nullptr; }

std::string Translated(const char* context, const char* text) {
    return installed ? installed(context, text) : std::string(text);
}

std::string Translated(std::string_view context, std::string_view text) {
    if (!installed || text.empty()) return std::string(text);
    return installed(std::string(context).c_str(), std::string(text).c_str());
}

std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '0');
        if (text[i] == '%' && next >= '1' && next <= '9' && number <= args.size()) {
            filled += *(args.begin() + (number - 1));
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string Tr(SourceText source, std::initializer_list<std::string_view> args) {
    return FillIn(Translated(source.context, source.text), args);
}
