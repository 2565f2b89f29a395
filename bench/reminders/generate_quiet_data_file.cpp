// Writes a data file in which nothing is due on the given day (today by default):
// generate_quiet_data_file RECORDS PATH [JJ/MM/AAAA]
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "quiet_data_file.h"
#include "store/civil_calendar.h"

int main(int argc, char** argv) {
    using namespace velorine;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage : %s NOMBRE FICHIER [JJ/MM/AAAA]\n", argv[0]);
        return 2;
    }
    store::CalendarDate reference = store::localToday();
    if (argc == 4) {
        const auto given = store::scanSlashedDate(argv[3]);
        if (!given || !store::isRealDate(*given)) {
            std::fprintf(stderr, "date incorrecte : %s\n", argv[3]);
            return 2;
        }
        reference = *given;
    }
    const std::string bytes = bench::quietDataFile(std::atoi(argv[1]), reference);
    std::ofstream(argv[2], std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return 0;
}
