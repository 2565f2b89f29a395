// libFuzzer target: any bytes as a data file. The reader must never crash or hang, and writing
// must keep what the reader promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/ini_document.h"
#include "store/record_store.h"

using velorine::store::IniDocument;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes);
    const std::string once = doc.serialize();
    require(IniDocument::parse(once).serialize() == once);  // a second round changes nothing

    const std::string before = doc.read("Velorine", "Nom1", "absent", 128);
    require(IniDocument::parse(once).read("Velorine", "Nom1", "absent", 128) == before);
    (void)velorine::store::readAllRecordsIn(doc);
    (void)velorine::store::hasAnyRecordIn(doc);

    // Writing several keys at once must do what writing them one by one does.
    const std::string_view head = std::string_view(bytes).substr(0, 8);
    const std::vector<IniDocument::KeyValue> writes = {
        {"Nom1", head}, {"Pren1", "x"}, {"nom1", "again"}, {head.substr(0, 5), "k"}};
    IniDocument together = IniDocument::parse(bytes);
    IniDocument oneByOne = IniDocument::parse(bytes);
    together.writeAll("Velorine", writes);
    for (const auto& [key, value] : writes) oneByOne.write("Velorine", key, value);
    require(together.serialize() == oneByOne.serialize());

    doc.write("Controle", "Version", "2.0");
    doc.write("Velorine", "Nom1", bytes.substr(0, 40));
    IniDocument reread = IniDocument::parse(doc.serialize());
    require(reread.read("Controle", "Version", "", 16) == "2.0");

    // Each read drops one pair of quotes, so a second compaction may still change nested quotes;
    // what must hold is that the result is a well-formed file the reader agrees with.
    velorine::store::compactRecordsIn(reread);
    const std::string compacted = reread.serialize();
    require(IniDocument::parse(compacted).serialize() == compacted);
    require(velorine::store::readAllRecordsIn(IniDocument::parse(compacted)).size() ==
            velorine::store::readAllRecordsIn(reread).size());
    return 0;
}
