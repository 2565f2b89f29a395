#include "store/cp1252.h"

#include <gtest/gtest.h>

namespace velorine::store {
namespace {

struct Pair {
    std::string cp1252;
    std::string utf8;
};

TEST(Cp1252, ConvertsBothWaysAcrossTheWholeSet) {
    const Pair pairs[] = {
        {"Abel", "Abel"},
        {"\xE9\xE8\xEA\xEB\xE7\xE0", "éèêëçà"},
        {"No\xEBl \xC9lise", "Noël Élise"},
        {"\x80", "€"},
        {"\x9C\x8C", "œŒ"},
        {"\x91\x92\x93\x94", "‘’“”"},
        {"\x85\x96\x97", "…–—"},
        {"\x8A\x9A\x8E\x9E\x9F", "ŠšŽžŸ"},
        {"\xA0\xFF", "\xC2\xA0ÿ"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [cp1252, utf8] : pairs) {
        EXPECT_EQ(cp1252ToUtf8(cp1252), utf8) << utf8;
        EXPECT_EQ(utf8ToCp1252(utf8), cp1252) << utf8;
    }
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    const auto back = utf8ToCp1252(cp1252ToUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, TellsWhichTextsItCanHold) {
    EXPECT_TRUE(canHoldInCp1252("François œuvre à 5 €"));
    EXPECT_TRUE(canHoldInCp1252(""));
    const char* refused[] = {"Łukasz", "日本", "emoji 😀", "\xC3", "\xC0\x80", "\xED\xA0\x80", "\xFF"};
    for (const char* text : refused) {
        EXPECT_FALSE(canHoldInCp1252(text)) << text;
        EXPECT_FALSE(utf8ToCp1252(text)) << text;
    }
}

}  // namespace
}  // namespace velorine::store
