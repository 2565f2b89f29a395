// Writes a generated data file: generate_data_file RECORDS PATH
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "data_file_generator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage : %s NOMBRE FICHIER\n", argv[0]);
        return 2;
    }
    const std::string bytes = velorine::bench::generateDataFile(std::atoi(argv[1]));
    std::ofstream(argv[2], std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return 0;
}
