#pragma once
// A sheet as Moodle XML, the format of Moodle's question-bank import: one embedded-answers
// (Cloze) question per exercise, its statement as the text with a gap for each quantity asked, its
// resolution as the general feedback, in a category named after the sheet.

#include <string>
#include <vector>

#include "exercises/sheet_text.h"

namespace tovel {

// A quantity is right within 1 % of the key's number; a coefficient exactly.
constexpr double kMoodleTolerance = 0.01;
constexpr int kMoodleVariantLimit = 20;

// variants holds the sheet as printed, then the sheets drawn from the seeds after its own: with
// more than one, each exercise's versions go in a category of their own ("Problema 3") under the
// sheet's, from which a quiz draws one at random for each student.
std::string MoodleXml(const std::vector<SheetText>& variants);

// A number as Moodle reads it: a decimal point, no exponent.
std::string MoodleNumber(double value);

}  // namespace tovel
