#include "store/cp1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

TEST(Cp1252FromUtf8File, ConvertsOnlyWhatAUtf8EditorWrote) {
    std::string everyHighByte;
    for (int byte = 0x80; byte <= 0xFF; ++byte) everyHighByte += static_cast<char>(byte);
    const struct {
        const char* what;
        std::string bytes;
        std::optional<std::string> converted;
    } cases[] = {
        {"UTF-8 accents", "H\xC3\xA9l\xC3\xA8ne \xE2\x82\xAC", std::string("H\xE9l\xE8ne \x80")},
        {"byte-order mark dropped", "\xEF\xBB\xBF[Controle]\xC3\xA9", std::string("[Controle]\xE9")},
        {"byte-order mark on ASCII",
         "\xEF\xBB\xBF"
         "abc",
         std::string("abc")},
        {"plain ASCII is left alone", "[Controle]\r\nVersion=2.0\r\n", std::nullopt},
        {"Windows-1252 accents", "H\xE9l\xE8ne", std::nullopt},
        {"every byte 0x80-0xFF", everyHighByte, std::nullopt},
        {"UTF-8 outside Windows-1252", "\xC5\x81ukasz \xC3\xA9", std::nullopt},
        {"cut-off UTF-8", "H\xC3\xA9l\xC3", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(cp1252FromUtf8File(c.bytes), c.converted) << c.what;
}

}  // namespace
}  // namespace velorine::store
