// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The texts the user sees are written in Japanese, the source language, and
// marked where they stand so that the translation tools find them (lupdate
// reads both macros as QT_TRANSLATE_NOOP). Without a translator installed,
// every text comes out exactly as written.

// A text kept as it is (a table's caption); whoever shows it looks it up
// under the same context.
#define TSR_TEXT(context, text) text
// A message text with its context, shown through Tr.
#define TSR_MESSAGE(context, text) (SourceText{context, text})

struct SourceText {
    const char* context;
    const char* text;
};

// Looks up the translation of a source text; the window installs one when
// the user chooses a language other than the source's, and removes it again
// (nullptr) for the source language.
using Translator = std::string (*)(const char* context, const char* text);
void SetTranslator(Translator translator);
bool Translating();

// The translation of `text` under `context`, or `text` itself.
std::string Translated(const char* context, const char* text);
std::string Translated(std::string_view context, std::string_view text);

// `text` with each %1 ... %9 replaced by the argument of that number, in one
// pass (an argument that contains "%2" stays as it is); other percent signs
// stay too.
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args);

// A message: translated first, then filled in.
std::string Tr(SourceText source, std::initializer_list<std::string_view> args = {});

// The context of the control table's captions and hints.
inline constexpr const char* ControlsContext = "Controls";
