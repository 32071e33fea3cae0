// SPDX-License-Identifier: GPL-3.0-or-later
// Messages are templates filled in after the lookup: without a translator
// the source text comes out as written; arguments go in once, in any order
// the translation puts them, and are never read as templates themselves.
#include <gtest/gtest.h>

#include "core/Translation.h"

namespace {

std::string Reversed(const char*, const char* text) {
    return std::string(text) == "%1 から %2" ? "to %2 from %1" : std::string(text);
}

TEST(Translation, ArgumentsGoInOnceInTheTranslationsOrderAndSourceTextsStayAsWritten) {
    const SourceText range = TSR_MESSAGE("Test", "%1 から %2");
    EXPECT_EQ(Tr(range, {"a%2b", "100%"}), "a%2b から 100%");
    EXPECT_EQ(FillIn("%1%%3 %0 %", {"x"}), "x%%3 %0 %");

    SetTranslator(&Reversed);
    EXPECT_TRUE(Translating());
    EXPECT_EQ(Tr(range, {"a", "b"}), "to b from a");
    EXPECT_EQ(Translated(std::string_view(ControlsContext), std::string_view()), "");
    SetTranslator(nullptr);
    EXPECT_EQ(Tr(range, {"a", "b"}), "a から b");
}

}  // namespace
