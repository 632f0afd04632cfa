// Build step: writes tiptovl.rel and the Zq reaction files from the readable library with the
// program's own writers.
// usage: tovel-make-library SOURCE.txt OUTPUT_FOLDER

#include <fstream>
#include <iostream>
#include <sstream>

#include "data/tools/library_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tovel-make-library SOURCE.txt OUTPUT_FOLDER\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const auto library = tovel::ReadLibrarySource(text.str());
    if (!in || !library.error.empty()) {
        std::cerr << argv[1] << ": " << (library.error.empty() ? "cannot read" : library.error)
                  << "\n";
        return 1;
    }
    if (const std::string error = tovel::WriteLibrary(library, argv[2]); !error.empty()) {
        std::cerr << error << "\n";
        return 1;
    }
    return 0;
}
