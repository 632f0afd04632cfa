// Build step: writes comps.rel from the readable list with the program's own writer.
// usage: tovel-make-compounds SOURCE.tsv OUTPUT.rel

#include <fstream>
#include <iostream>
#include <sstream>

#include "data/tools/compounds_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tovel-make-compounds SOURCE.tsv OUTPUT.rel\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const auto source = tovel::ReadCompoundsSource(text.str());
    if (!in || !source.error.empty()) {
        std::cerr << argv[1] << ": " << (source.error.empty() ? "cannot read" : source.error)
                  << "\n";
        return 1;
    }
    if (const auto written = source.book.Write(argv[2]); !written) {
        std::cerr << written.error << "\n";
        return 1;
    }
    return 0;
}
