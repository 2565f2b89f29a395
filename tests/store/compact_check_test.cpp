// The start-up's quick look: is a file already what compaction and a commit would make of it?
// Every answer "compact" must be one that a compaction confirms by changing nothing.
#include <gtest/gtest.h>

#include "store/ini_document.h"
#include "store/record_store.h"

namespace velorine::store {
namespace {

std::string slot(int n, const std::string& surname, const std::string& resume = {}) {
    const std::string number = std::to_string(n);
    std::string lines = "Nom" + number + "=" + surname + "\r\nPren" + number + "=Anne\r\nDate" + number +
                        "=05/03/1970\r\nAdress" + number + "=\r\nEmail" + number + "=a@b.fr\r\n";
    if (!resume.empty()) lines += "Proch" + number + "=" + resume + "\r\n";
    return lines;
}

const std::string kHeader = "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\n";

TEST(CompactCheck, AnswersCompactOnlyWhereCompactionChangesNothing) {
    struct Case {
        const char* what;
        std::string bytes;
        bool compact;
    };
    const Case cases[] = {
        {"two slots in order", kHeader + slot(1, "Martin") + slot(2, "Petit"), true},
        {"resume dates kept in place", kHeader + slot(1, "Martin", "5 3 2027") + slot(2, "Petit"), true},
        {"a blank line before the next section", kHeader + slot(1, "Martin") + "\r\n[Options]\r\nA=1\r\n", true},
        {"several blank lines at the end", kHeader + slot(1, "Martin") + "\r\n \r\n[Options]\r\n", false},
        {"no record section", "[Controle]\r\nVersion=2.0\r\n", true},
        {"an empty record section", kHeader, true},
        {"a hole", kHeader + slot(1, "Martin") + slot(2, "") + slot(3, "Petit"), false},
        {"a gap in the numbers", kHeader + slot(1, "Martin") + slot(3, "Petit"), false},
        {"slots out of order", kHeader + slot(2, "Petit") + slot(1, "Martin"), false},
        {"an empty resume date", kHeader + slot(1, "Martin", "") + "Proch1=\r\n", false},
        {"a key in lower case", kHeader + "nom1=Martin\r\nPren1=\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n", false},
        {"blanks around the equals sign", kHeader + "Nom1 = Martin\r\nPren1=\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n",
         false},
        {"a quoted value", kHeader + "Nom1=\"Martin\"\r\nPren1=\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n", false},
        {"a value longer than a record read", kHeader + slot(1, std::string(128, 'M')), false},
        {"a half written slot", kHeader + "Nom1=Martin\r\nPren1=Anne\r\n", false},
        {"a key of no record", kHeader + slot(1, "Martin") + "Couleur=3\r\n", false},
        {"a blank line between slots", kHeader + slot(1, "Martin") + "\r\n" + slot(2, "Petit"), false},
        {"the end sentinel as a surname", kHeader + slot(1, "zldsdlelsd") + slot(2, "Petit"), false},
        {"a scratch copy left over", kHeader + slot(1, "Martin") + "[VelorCop]\r\n", false},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(c.bytes);
        EXPECT_EQ(isCompactIn(doc), c.compact) << c.what;
        if (!c.compact) continue;
        compactRecordsIn(doc);
        EXPECT_EQ(doc.serialize(), c.bytes) << c.what;
    }
}

TEST(CompactCheck, TellsFilesInTheFormACommitWrites) {
    struct Case {
        const char* what;
        std::string bytes;
        bool serialForm;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"CR LF lines", "[A]\r\nb=1\r\n", true},
        {"a last line without its end", "[A]\r\nb=1", false},
        {"an LF line", "[A]\r\nb=1\n", false},
        {"a file starting with a bare LF", "\n[A]\r\n", false},
    };
    for (const auto& c : cases) {
        const IniDocument doc = IniDocument::parse(c.bytes);
        EXPECT_EQ(doc.parsedBytesAreSerialForm(), c.serialForm) << c.what;
        if (c.serialForm) {
            EXPECT_EQ(doc.serialize(), c.bytes) << c.what;
        }
    }
}

// A damaged file full of blank lines: the start rewrites it smaller, never larger (LF lines would
// otherwise double as CR LF).
TEST(CompactCheck, CompactionKeepsOneBlankLineAtTheEndOfTheRecords) {
    const std::string blanks(10000, '\n');
    IniDocument doc =
        IniDocument::parse(kHeader + slot(1, "Martin") + "\n" + blanks + slot(2, "Petit") + blanks + "[Options]\r\n");
    EXPECT_FALSE(isCompactIn(doc));
    compactRecordsIn(doc);
    EXPECT_EQ(doc.serialize(), kHeader + slot(1, "Martin") + slot(2, "Petit") + "\r\n[Options]\r\n");
}

}  // namespace
}  // namespace velorine::store
