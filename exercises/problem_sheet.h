#pragma once
// Problem sheets: many worded stoichiometry problems at once, drawn from the reactions of the
// library, and their answer key. Drawing is a pure function of the library, the choices and the
// seed, so the same sheet can be made again; the texts are those of the worded problem.
//
// This header gathers the sheet's parts for the callers that use several of them.

#include "exercises/sheet_choices.h"     // what the sheet is made of
#include "exercises/sheet_data.h"        // the kinds of data that suit a substance
#include "exercises/sheet_drawer.h"      // the problems drawn
#include "exercises/sheet_library.h"     // the reactions they are drawn from
#include "exercises/sheet_moodle.h"      // the sheet for a virtual classroom
#include "exercises/sheet_text.h"        // the statements and the key as text
#include "exercises/sheet_text_file.h"   // that text saved
#include "exercises/sheet_typography.h"  // and printed
