// Build step: writes elements.dat from the readable table with the program's own writer.
// usage: tovel-make-elements SOURCE.tsv OUTPUT.dat

#include <fstream>
#include <iostream>
#include <sstream>

#include "core/elements_file.h"
#include "data/tools/element_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tovel-make-elements SOURCE.tsv OUTPUT.dat\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const auto source = tovel::ReadElementSource(text.str());
    if (!source.error.empty()) {
        std::cerr << argv[1] << ": " << source.error << "\n";
        return 1;
    }
    if (const auto saved = tovel::SaveElements(source.table, argv[2]); !saved) {
        std::cerr << saved.error << "\n";
        return 1;
    }
    return 0;
}
