#pragma once
// Round values, as a school problem gives its data: a few significant figures, computed with
// exact powers of ten so that every machine draws the same value from the same seed.

#include "exercises/seeded_random.h"

namespace tovel {

// value (positive) rounded to digits significant figures.
double RoundSignificant(double value, int digits);

// The values a datum may take: a value from low to high whose first digit lies in one of the
// decades lowDecade to highDecade (10^lowDecade to 10^highDecade).
struct ValueRange {
    double low, high;
    int lowDecade, highDecade;
};

bool InRange(double value, const ValueRange& range);

// A round value of the range: digits significant figures, drawn figure by figure; range.low when
// many draws all fall outside it.
double RoundValue(SeededRandom& random, const ValueRange& range, int digits);
// The same with two or three significant figures, drawn first.
double RoundValue(SeededRandom& random, const ValueRange& range);

}  // namespace tovel
