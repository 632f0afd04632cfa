#pragma once
// tovel-cli sheet: a problem sheet with its answer key, to standard output, a text file or a PDF.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/element_table.h"
#include "exercises/nomenclature_sheet.h"
#include "exercises/problem_sheet.h"

namespace tovel {

struct SheetOptions {
    SheetChoices choices;
    // --kinds nombrar,formular: a sheet of nomenclature exercises instead of problems.
    bool names = false;
    NameSheetChoices nameChoices;
    std::string pdfPath;                     // --pdf FILE
    std::string textPath;                    // --text FILE
    std::string moodlePath;                  // --moodle FILE
    int variants = 1;                        // --variantes N: versions of each exercise in Moodle
    std::string title;                       // --titulo T; empty is the default for the kinds
    AnswerSpace space = AnswerSpace::Lines;  // --espacio ninguno|lineas|media
    bool pointNotation = false;              // --punto
};

// Reads --count N, --seed S, --types T1,T2, --kinds K1,K2 (g, g%, mol, Lcn, LPT, ml; one,
// excess, product; or nombrar, formular for nomenclature), --clases C1,C2 (the nomenclature
// classes), --pdf FILE, --text FILE, --moodle FILE, --variantes N, --titulo T, --espacio
// ninguno|lineas|media and --punto; typeNames are the library's types, which --types
// names. Without --seed a new seed is drawn. False with the reason in error for wrong usage.
bool ParseSheetOptions(const std::vector<std::string>& args,
                       const std::vector<std::string>& typeNames, SheetOptions& options,
                       std::string& error);

// Runs the command on the library in libraryFolder and returns the exit status: 0 done, 1 fewer
// problems than asked could be drawn or the file could not be written, 2 wrong usage. A PDF is
// written by the module beside the program in programDir.
int RunSheet(const std::vector<std::string>& args, ElementTable& table,
             const std::string& libraryFolder, const std::string& programDir, std::ostream& out,
             std::ostream& err);

}  // namespace tovel
