// The cards' state in the data file: every field reads back as written, whatever it holds, and a
// damaged line costs only that card (read again from the server).

#include <gtest/gtest.h>

#include "carddav/sync_state.h"
#include "store/data_file.h"

namespace velorine::carddav {
namespace {

TEST(SyncStateTest, EveryFieldReadsBackAsWritten) {
    const std::vector<std::string> awkward = {
        "",
        "plain",
        "100 % sûr",
        "a|b",
        " blanks around ",
        "\"quoted\"",
        "'single'",
        "line\r\nbreak",
        "tab\there",
        std::string("nul\0inside", 10),
        "\xC9lise \x8C",
        "%41 not an escape",
        "ends with %",
    };
    SyncState state;
    state.lastDay = store::CalendarDate{9, 12, 2026};
    state.failure = "le serveur « dav » ne répond pas | 100 %";
    for (const std::string& text : awkward) {
        KnownBook book{"https://dav.example.org/" + text, text, {}};
        book.cards[text.empty() ? "/x" : text] = {text, text,
                                                  store::BirthdayRecord{"N" + text, text, text, text, text}};
        book.cards["/none" + text] = {text, text, std::nullopt};
        state.books.push_back(book);
    }
    store::IniDocument doc = store::IniDocument::parse("[Velorine]\r\nNom1=Roy\r\n");
    writeSyncState(doc, state);
    const SyncState back = readSyncState(store::IniDocument::parse(doc.serialize()));
    EXPECT_EQ(back.lastDay, state.lastDay);
    EXPECT_EQ(back.failure, state.failure);
    ASSERT_EQ(back.books.size(), state.books.size());
    for (std::size_t i = 0; i < state.books.size(); ++i) {
        EXPECT_EQ(back.books[i].address, state.books[i].address) << i;
        EXPECT_EQ(back.books[i].syncToken, state.books[i].syncToken) << i;
        ASSERT_EQ(back.books[i].cards.size(), state.books[i].cards.size()) << i;
        for (const auto& [href, card] : state.books[i].cards) {
            const KnownCard& read = back.books[i].cards.at(href);
            EXPECT_EQ(read.etag, card.etag) << i;
            EXPECT_EQ(read.uid, card.uid) << i;
            EXPECT_EQ(read.record, card.record) << i;
        }
    }
    EXPECT_EQ(doc.read("Velorine", "Nom1", "", 128), "Roy");  // the list is not touched
}

TEST(SyncStateTest, ADamagedLineCostsOnlyItsCard) {
    const SyncState state =
        readSyncState(store::IniDocument::parse("[CartesEnLigne]\r\nCarnet1=https://dav.example.org/amis/|tok\r\n"
                                                "Carte1=1|/amis/a.vcf|e1|ua|Roy|Eva|01/01/1990||\r\n"
                                                "Carte2=1|/amis/b.vcf|e2\r\n"          // fields missing
                                                "Carte3=7|/amis/c.vcf|e3|uc|||||\r\n"  // no such book
                                                "Carte4=x|/amis/d.vcf|e4|ud|||||\r\n"  // no book number
                                                "Carnet2=\r\n"));
    ASSERT_EQ(state.books.size(), 1u);
    EXPECT_EQ(state.books[0].syncToken, "tok");
    ASSERT_EQ(state.books[0].cards.size(), 1u);
    EXPECT_EQ(state.books[0].cards.at("/amis/a.vcf").record->surname, "Roy");
}

}  // namespace
}  // namespace velorine::carddav
