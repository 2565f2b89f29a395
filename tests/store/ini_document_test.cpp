#include "store/ini_document.h"

#include <functional>

#include <gtest/gtest.h>

namespace velorine::store {
namespace {

std::string readFrom(const std::string& bytes, std::string_view section, std::string_view key,
                     std::string_view defaultText = "DEF", std::size_t size = 128) {
    return IniDocument::parse(bytes).read(section, key, defaultText, size);
}

struct ReadCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::size_t size;
    std::string expected;
};

TEST(IniDocumentRead, FollowsTheSettingsFileRules) {
    const ReadCase cases[] = {
        {"empty file gives the default", "", "S", "k", 128, "DEF"},
        {"absent section", "[T]\r\nk=1\r\n", "S", "k", 128, "DEF"},
        {"absent key", "[S]\r\nj=1\r\n", "S", "k", 128, "DEF"},
        {"present but empty", "[S]\r\nk=\r\n", "S", "k", 128, ""},
        {"plain value", "[S]\r\nk=abc\r\n", "S", "k", 128, "abc"},
        {"cut to size - 1", "[S]\r\nk=abcdef\r\n", "S", "k", 4, "abc"},
        {"size 1 gives nothing", "[S]\r\nk=abc\r\n", "S", "k", 1, ""},
        {"size 0 gives nothing", "[S]\r\nk=abc\r\n", "S", "k", 0, ""},
        {"default cut too", "", "S", "k", 3, "DE"},
        {"blanks around the value", "[S]\r\nk=  a b \t\r\n", "S", "k", 128, "a b"},
        {"blanks around the equals sign", "[S]\r\n  k  =  v\r\n", "S", "k", 128, "v"},
        {"double quotes dropped", "[S]\r\nk=\"  q  \"\r\n", "S", "k", 128, "  q  "},
        {"single quotes dropped", "[S]\r\nk='q'\r\n", "S", "k", 128, "q"},
        {"only one pair of quotes", "[S]\r\nk=\"\"q\"\"\r\n", "S", "k", 128, "\"q\""},
        {"unmatched quotes kept", "[S]\r\nk=\"q'\r\n", "S", "k", 128, "\"q'"},
        {"a lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", 128, "\""},
        {"equals inside the value", "[S]\r\nk=a=b=c\r\n", "S", "k", 128, "a=b=c"},
        {"section name without case", "[velorine]\r\nNOM1=x\r\n", "Velorine", "nom1", 128, "x"},
        {"blanks inside brackets", "[ S ]\r\nk=1\r\n", "S", "k", 128, "1"},
        {"first duplicated section wins", "[S]\r\nk=1\r\n[S]\r\nk=2\r\nj=3\r\n", "S", "k", 128, "1"},
        {"later duplicate is not searched", "[S]\r\nk=1\r\n[S]\r\nj=3\r\n", "S", "j", 128, "DEF"},
        {"first duplicated key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", 128, "1"},
        {"LF line ends", "[S]\nk=1\nj=2\n", "S", "j", 128, "2"},
        {"no final newline", "[S]\r\nk=last", "S", "k", 128, "last"},
        {"keys before any section are ignored", "k=1\r\n[S]\r\n", "S", "k", 128, "DEF"},
        {"comment lines are not keys", "[S]\r\n;k=1\r\n", "S", "k", 128, "DEF"},
        {"a [ without ] opens nothing", "[S]\r\n[T\r\nk=1\r\n", "S", "k", 128, "1"},
        {"line without = is no key", "[S]\r\nk\r\n", "S", "k", 128, "DEF"},
        {"a value ends at its NUL", std::string("[S]\r\nk=a\0b\r\n", 12), "S", "k", 128, "a"},
        {"quotes dropped before the NUL ends it", std::string("[S]\r\nk=\"a\0b\"\r\n", 14), "S", "k", 128, "a"},
        {"a NUL first gives an empty value", std::string("[S]\r\nk=\0b\r\n", 11), "S", "k", 128, ""},
        {"a UTF-8 byte order mark before the first section is skipped", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", 128,
         "1"},
        {"... and kept out of the name of a later one", "[T]\r\n\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", 128, "DEF"},
        {"Windows-1252 bytes", "[S]\r\nk=\xC9l\xE9onore\r\n", "S", "k", 128, "\xC9l\xE9onore"},
    };
    for (const auto& c : cases) EXPECT_EQ(readFrom(c.file, c.section, c.key, "DEF", c.size), c.expected) << c.what;
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string after;
};

TEST(IniDocumentWrite, ChangesOnlyWhatItMust) {
    const WriteCase cases[] = {
        {"new file", "", "[S]\r\nk=v\r\n"},
        {"new key at the end of its section, before the blank line", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n",
         "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n"},
        {"new section at the end", "[T]\r\nb=2\r\n", "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
        {"existing key replaced in place", "[S]\r\na=1\r\nK = old\r\nz=3\r\n", "[S]\r\na=1\r\nk=v\r\nz=3\r\n"},
        {"comments and junk survive, LF becomes CR LF", "; note\n[S]\njunk line\n[T\nk=old\n",
         "; note\r\n[S]\r\njunk line\r\n[T\r\nk=v\r\n"},
        {"missing final newline", "[S]\r\na=1", "[S]\r\na=1\r\nk=v\r\n"},
        {"first duplicated section is the one written", "[s]\r\na=1\r\n[S]\r\nb=2\r\n",
         "[s]\r\na=1\r\nk=v\r\n[S]\r\nb=2\r\n"},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(c.before);
        doc.write("S", "k", "v");
        EXPECT_EQ(doc.serialize(), c.after) << c.what;
    }
}

TEST(IniDocumentWrite, LineBreaksInAValueCannotCreateOtherKeys) {
    IniDocument doc = IniDocument::parse("[S]\r\n");
    doc.write("S", "k", "a\r\n[Options]\nRappelFete=1");
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=a  [Options] RappelFete=1\r\n");
    EXPECT_FALSE(IniDocument::parse(doc.serialize()).hasSection("Options"));
}

TEST(IniDocumentWrite, ControlBytesOtherThanTabAreStoredAsBlanks) {
    IniDocument doc;
    doc.write("S", "k",
              std::string("a\0b\x01"
                          "c\x1F\td\x7F",
                          9));
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=a b c \td\x7F\r\n");
}

TEST(IniDocumentWrite, KeysThatCouldNotBeReadBackAreNotWritten) {
    IniDocument doc = IniDocument::parse("[S]\r\nk=1\r\n");
    for (const std::string key : {"", "  ", "a=b", "x\ny", ";c", "[T]", "k\x01", "\x1F"}) doc.write("S", key, "v");
    doc.writeAll("S", {{std::string_view("\0\0\0", 3), "v"}, {"k", "2"}});
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=2\r\n");
    doc.write("S", "k", "1");
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=1\r\n");
    // Nor do they create the section they name.
    doc.write("T", "[k", "v");
    doc.writeAll("U", {{"k=v", "w"}});
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=1\r\n");
}

TEST(IniDocumentWrite, NamesGivenWithBlanksAreTheNamesWithout) {
    IniDocument doc = IniDocument::parse("[S]\r\nk=1\r\n");
    doc.write(" S ", "\tk ", "2");
    doc.write(" T\t", " n ", "3");
    EXPECT_EQ(doc.serialize(), "[S]\r\nk=2\r\n[T]\r\nn=3\r\n");
    EXPECT_EQ(doc.read(" T ", " n\t", "", 16), "3");
    EXPECT_TRUE(doc.hasSection("\tS"));
    EXPECT_EQ(doc.keyLineText(" S", "k "), "k=2");
}

TEST(IniDocumentWrite, WrittenValuesReadBackAtOnce) {
    IniDocument doc;
    doc.write("Velorine", "Nom1", "Dupont");
    doc.write("Velorine", "Nom1", "Durand");
    doc.write("velorine", "pren1", "");
    EXPECT_EQ(doc.read("VELORINE", "NOM1", "x", 128), "Durand");
    EXPECT_EQ(doc.read("Velorine", "Pren1", "x", 128), "");
    EXPECT_EQ(doc.serialize(), "[Velorine]\r\nNom1=Durand\r\npren1=\r\n");
}

TEST(IniDocumentWrite, ManyKeysAtOnceActAsOneWriteAfterAnother) {
    const std::string before = "[S]\r\na=1\r\nB=2\r\nb=shadowed\r\n\r\n[T]\r\nc=3\r\n";
    const std::vector<IniDocument::KeyValue> writes = {{"b", "x"}, {"new", "1"}, {"A", "y"}, {"new", "2"}, {"z", ""}};
    IniDocument together = IniDocument::parse(before);
    together.writeAll("S", writes);
    IniDocument oneByOne = IniDocument::parse(before);
    for (const auto& [key, value] : writes) oneByOne.write("S", key, value);
    EXPECT_EQ(together.serialize(), oneByOne.serialize());
    EXPECT_EQ(together.serialize(), "[S]\r\nA=y\r\nb=x\r\nb=shadowed\r\nnew=2\r\nz=\r\n\r\n[T]\r\nc=3\r\n");
}

TEST(IniDocumentClear, EmptiesOneSectionAndKeepsItsHeader) {
    IniDocument doc =
        IniDocument::parse("[A]\r\nx=1\r\n\r\n[Velorine]\r\nNom1=a\r\n; c\r\nProch1=1 1 2000\r\n\r\n[B]\r\ny=2\r\n");
    doc.clearSection("velorine");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=1\r\n\r\n[Velorine]\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(doc.read("Velorine", "Nom1", "gone", 128), "gone");
    doc.write("Velorine", "Nom1", "b");
    EXPECT_EQ(doc.read("Velorine", "Nom1", "gone", 128), "b");
}

TEST(IniDocumentClear, CreatesAnAbsentSectionEmpty) {
    IniDocument doc = IniDocument::parse("[A]\r\nx=1\r\n");
    doc.clearSection("B");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=1\r\n[B]\r\n");
}

TEST(IniDocumentParse, SurvivesHostileInput) {
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 7919) % 256);
    const std::string inputs[] = {
        junk,
        std::string(10 * 1024 * 1024, 'x'),
        "[" + std::string(1 << 20, 'a'),
        "[S]\r\nk=" + std::string(10 * 1024 * 1024, 'v') + "\r\n",
        std::string(1000, '\n') + std::string(1000, '\r') + std::string(1000, '='),
        "[]\r\n=\r\n==\r\n[\r\n]\r\n",
    };
    for (const auto& input : inputs) {
        IniDocument doc = IniDocument::parse(input);
        (void)doc.read("S", "k", "d", 128);
        doc.write("S", "k", "v");
        EXPECT_EQ(IniDocument::parse(doc.serialize()).read("S", "k", "d", 128), "v");
    }
}

TEST(IniDocumentParse, TellsASettingsFileFromOtherBytes) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"\r\n \t\r\n\n", true},
        {"[S]\r\n", true},
        {"junk\r\n; note\r\n  [S]\r\nk=1\r\n", true},
        {"\xEF\xBB\xBF[S]\r\n", true},
        {"k=1\r\n; no section\r\n", false},
        {std::string("\xFF\xFE[\0S\0]\0\r\0\n\0", 12), false},      // UTF-16 LE
        {std::string("\xFE\xFF\0[\0S\0]\0\r\0\n", 12), false},      // UTF-16 BE
        {std::string("[\0S\0]\0\r\0\n\0k\0=\0\x31\0", 16), false},  // UTF-16 without its mark
        {"\x7F"
         "ELF\x02\x01\x01",
         false},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(IniDocument::readsAsSettings(bytes), expected) << bytes;
}

TEST(IniDocumentParse, ReSerialisingKeepsEveryLine) {
    for (const std::string file :
         {"; head\r\n[A]\r\nx = 1\r\n  junk\r\n\r\n[B]\r\ny=\"2\"\r\n", "\xEF\xBB\xBF[A]\r\nx=1\r\n"})
        EXPECT_EQ(IniDocument::parse(file).serialize(), file);
}

TEST(IniDocumentParse, LaterDuplicatesOfASectionAreKeptButNeverRead) {
    IniDocument doc = IniDocument::parse("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\nx=dup\n\n[C]\r\nz=3\r\n[b]\r\ny=dup\r\n");
    EXPECT_EQ(doc.read("A", "x", "", 128), "1");
    EXPECT_EQ(doc.read("B", "y", "", 128), "2");
    EXPECT_EQ(doc.read("C", "z", "", 128), "3");
    doc.write("A", "w", "new");
    doc.write("B", "y", "two");
    doc.write("D", "k", "v");
    EXPECT_EQ(doc.serialize(),
              "[A]\r\nx=1\r\nw=new\r\n[B]\r\ny=two\r\n[a]\r\nx=dup\r\n\r\n[C]\r\nz=3\r\n"
              "[b]\r\ny=dup\r\n[D]\r\nk=v\r\n");
}

TEST(IniDocumentRead, ManyLookupsAgreeWithTheFirstFew) {
    // Past the first lookups a section is split and indexed: the answers must not change.
    std::string file = "[S]\r\n";
    for (int i = 0; i < 50; ++i)
        file += "K" + std::to_string(i) + "=" + std::to_string(i) + "\r\nk" + std::to_string(i) + "=late\r\n";
    for (int i = 0; i < 3000; ++i) file += "[T" + std::to_string(i) + "]\r\nv=" + std::to_string(i) + "\r\n";
    IniDocument doc = IniDocument::parse(file);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(doc.read("s", "k" + std::to_string(i), "", 128),
                      round > 0 && i == 7 ? "seven" : std::to_string(i));
        EXPECT_EQ(doc.read("S", "k50", "none", 128), "none");
        doc.write("S", "k7", "seven");
        EXPECT_EQ(doc.read("S", "K7", "", 128), "seven");
    }
    for (int i = 0; i < 3000; i += 7) EXPECT_EQ(doc.read("t" + std::to_string(i), "V", "", 128), std::to_string(i));
    EXPECT_EQ(doc.keyCount("S"), 100u);
}

TEST(IniDocumentClear, KeepsOneOfTheBlankLinesEndingAnUnreadSection) {
    IniDocument doc = IniDocument::parse("[V]\nNom1=a\n" + std::string(1000, '\n') + "[W]\r\nx=1\r\n");
    doc.replaceSection("V", "Nom1=b\n");
    EXPECT_EQ(doc.serialize(), "[V]\r\nNom1=b\r\n\r\n[W]\r\nx=1\r\n");
}

TEST(IniDocumentReplace, AReplacedSectionIsReadEditedAndWrittenLikeAnyOther) {
    IniDocument doc = IniDocument::parse("[V]\r\nNom1=a\r\n  \r\n\r\n[W]\r\nx=1\r\n[v]\r\nNom1=dup\r\n");
    doc.replaceSection("V", "Nom1=b\nPren1=c\n");
    EXPECT_EQ(doc.keyCount("V"), 2u);
    // Past the first few lookups the replaced lines are split and indexed: the same answers.
    for (int round = 0; round < 12; ++round) {
        EXPECT_EQ(doc.read("V", "nom1", "", 128), "b");
        EXPECT_EQ(doc.read("V", "Pren1", "", 128), "c");
    }
    doc.write("V", "Date1", "01/01/1990");
    EXPECT_EQ(doc.serialize(),
              "[V]\r\nNom1=b\r\nPren1=c\r\nDate1=01/01/1990\r\n  \r\n[W]\r\nx=1\r\n[v]\r\nNom1=dup\r\n");
    doc.replaceSection("V", "Nom1=d\n");
    EXPECT_EQ(doc.serialize(), "[V]\r\nNom1=d\r\n  \r\n[W]\r\nx=1\r\n[v]\r\nNom1=dup\r\n");
}

TEST(IniDocumentSerialise, InPiecesGivesTheSameBytesAndStopsWhenAsked) {
    std::string file = "[A]\r\n";
    for (int i = 0; i < 20000; ++i) file += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    file += "long=" + std::string(200000, 'x') + "\n[B]\r\ny=2\r\n";
    IniDocument doc = IniDocument::parse(file);
    doc.write("B", "z", "3");
    std::string joined;
    std::size_t pieces = 0;
    EXPECT_TRUE(doc.serializeTo([&](std::string_view piece) {
        ++pieces;
        joined.append(piece);
        return true;
    }));
    EXPECT_EQ(joined, doc.serialize());
    EXPECT_GT(pieces, 3u);  // never the whole document at once
    std::size_t calls = 0;
    EXPECT_FALSE(doc.serializeTo([&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2u);
}

TEST(IniDocumentSerialise, TellsWhenItWouldGiveBackTheBytesParsed) {
    struct Case {
        const char* what;
        std::string file;
        std::function<void(IniDocument&)> edit;
        bool same;
    };
    const auto none = [](IniDocument&) {};
    const Case cases[] = {
        {"CR LF, unedited", "[A]\r\nx=1\r\n[a]\r\nx=2\r\n", none, true},
        {"an LF", "[A]\r\nx=1\n", none, false},
        {"no line end at the end", "[A]\r\nx=1", none, false},
        {"a value written as it was", "[A]\r\nx=1\r\n", [](IniDocument& d) { d.write("A", "x", "1"); }, true},
        {"a value changed", "[A]\r\nx=1\r\n", [](IniDocument& d) { d.write("A", "x", "2"); }, false},
        {"a section added", "[A]\r\nx=1\r\n", [](IniDocument& d) { d.write("B", "x", "1"); }, false},
        {"a section replaced by its own lines", "[A]\r\nx=1\r\n",
         [](IniDocument& d) { d.replaceSection("A", "x=1\n"); }, true},
        {"an empty file", "", none, true},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(c.file);
        c.edit(doc);
        EXPECT_EQ(doc.serializesToParsedBytes(), c.same) << c.what;
        EXPECT_EQ(doc.serializesToParsedBytes(), doc.serialize() == c.file) << c.what;
    }
}

}  // namespace
}  // namespace velorine::store
