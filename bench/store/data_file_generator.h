#pragma once
// Realistic data files for the benchmarks: French names, birth dates, addresses and e-mails, with
// about one slot in twenty left as a hole, as deletions leave them.

#include <string>

namespace velorine::bench {

// The bytes of a data file holding `records` slots (holes included), Windows-1252, CR LF.
std::string generateDataFile(int records, unsigned seed = 2026);

}  // namespace velorine::bench
