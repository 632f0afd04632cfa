#pragma once
// The readable default usual compounds (data/compounds.tsv): category, formula and name a line.

#include <string>
#include <string_view>

#include "app/compounds_file.h"

namespace tovel {

struct CompoundsSource {
    CompoundBook book;
    std::string error;  // the first bad line, or empty
};

CompoundsSource ReadCompoundsSource(std::string_view text);

}  // namespace tovel
