#include "store/record_slots.h"

#include <gtest/gtest.h>

namespace velorine::store {
namespace {

struct SlotCase {
    const char* what;
    std::string section;
    int slot;
    SlotField field;
    std::optional<std::string_view> expected;
};

TEST(RecordSlots, AnswersAsAKeyLookupWouldInAnyKeyOrder) {
    const SlotCase cases[] = {
        {"keys in slot order", "Nom1=a\r\nPren1=b\r\nNom2=c\r\n", 2, SlotField::Surname, "c"},
        {"keys in reverse order", "Nom3=c\r\nNom2=b\r\nNom1=a\r\n", 3, SlotField::Surname, "c"},
        {"an earlier key out of order wins over a later one in order",
         "Nom1=a\r\nNom3=first\r\nNom2=b\r\nNom3=second\r\n", 3, SlotField::Surname, "first"},
        {"a key in order wins over a later one out of order", "Nom1=a\r\nNom2=first\r\nNom5=x\r\nNom2=second\r\n", 2,
         SlotField::Surname, "first"},
        {"a slot beyond the key count is unreachable", "Nom1=a\r\nNom999999999=z\r\n", 999999999, SlotField::Surname,
         std::nullopt},
        {"the last reachable slot is kept", "Nom2=b\r\nx=1\r\n", 2, SlotField::Surname, "b"},
        {"stems match without regard to case", "nOM1=a\r\npREN1=b\r\nproch1=1 1 2000\r\n", 1, SlotField::ResumeDate,
         "1 1 2000"},
        {"a leading zero is another key", "Nom01=a\r\n", 1, SlotField::Surname, std::nullopt},
    };
    for (const auto& c : cases) {
        const IniDocument doc = IniDocument::parse("[Velorine]\r\n" + c.section);
        const RecordSlots slots(doc, "Velorine");
        EXPECT_EQ(slots.find(c.slot, c.field), c.expected) << c.what;
        if (c.expected) {
            EXPECT_EQ(slots.find(c.slot, c.field),
                      doc.find("Velorine", std::string(stemOf(c.field)) + std::to_string(c.slot)))
                << c.what;
        }
    }
}

TEST(RecordSlots, SeesTheValuesWrittenSinceTheParseBesideTheParsedOnes) {
    IniDocument doc = IniDocument::parse("[Velorine]\r\nNom1=Martin\r\nPren1=\r\nNom2=Durand\r\n");
    doc.write("Velorine", "Pren2", "Claire");
    doc.write("Velorine", "Nom3", "Petit");
    const RecordSlots slots(doc, "Velorine");
    EXPECT_EQ(slots.find(1, SlotField::Surname), "Martin");
    EXPECT_EQ(slots.find(1, SlotField::FirstName), "");
    EXPECT_EQ(slots.find(2, SlotField::Surname), "Durand");
    EXPECT_EQ(slots.find(2, SlotField::FirstName), "Claire");
    EXPECT_EQ(slots.find(3, SlotField::Surname), "Petit");
    EXPECT_EQ(slots.find(3, SlotField::FirstName), std::nullopt);
    EXPECT_EQ(slots.find(4, SlotField::Surname), std::nullopt);
}

}  // namespace
}  // namespace velorine::store
