// SPDX-License-Identifier: GPL-3.0-or-later
// Variants for a group: problems generated so that the hand work comes out
// clean. A variant has whole coefficients from -9 to 9 and right-hand sides
// from -30 to 30; its course starts with a negative free term and takes 2 to
// 5 pivots; every number of every table is a fraction with a denominator of
// at most 12 and a numerator of at most 200 in size; no choice of the
// method is an exact tie, and no table repeats; and it reaches the verdict
// asked for. Each variant is checked by solving it again exactly. The same
// request with the same seed gives the same variants.
#ifndef VARIANTS_H
#define VARIANTS_H

#include "method/course.h"
#include "method/problemtexts.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

enum class VariantKind { Optimum, Infeasible, Unbounded, Integer, Mixed };

// What a course ends with, for a teacher's key: an optimum, no solution
// because the constraints contradict each other or because the objective is
// unbounded, an integer optimum (after cuts), or none of these (the method
// cycled or stopped).
enum class Verdict { Optimum, Infeasible, Unbounded, IntegerOptimum, Other };
Verdict verdictOf(const Course &course);

// The limits of a clean variant.
constexpr int kVariantCoefficient = 9;
constexpr int kVariantRightHand = 30;
constexpr int kFewestVariantPivots = 2;
constexpr int kMostVariantPivots = 5;
constexpr int kLargestDenominator = 12;
constexpr int kLargestNumerator = 200;
constexpr int kMostVariantCuts = 3;
constexpr int kMostVariants = 200;
constexpr int kFewestVariantVariables = 2, kMostVariantVariables = 4;
constexpr int kFewestVariantRows = 2, kMostVariantRows = 8;

struct VariantRequest {
    int count = 1;
    int n = 2, m = 3;
    VariantKind kind = VariantKind::Optimum;
    quint64 seed = 0;
    int tries = 40000; // problems tried for one variant before the generator gives up on more
};

struct Variant {
    ProblemTexts problem;
    Course course;
    Verdict verdict = Verdict::Other;
};

// Why a solved problem is no clean variant of the kind asked for (not Mixed);
// empty when it is one.
QString variantFlaw(const Course &course, VariantKind kind);

// The variants asked for, distinct up to the order of their rows; fewer
// when the size and kind leave fewer within the generator's tries. Each
// variant found is reported to `found` (how many so far); it may ask to
// stop by returning false.
std::vector<Variant> generateVariants(const VariantRequest &request,
                                      const std::function<bool(int found)> &found = nullptr);

// A request read from the command line's words ("3x4", "integer"); nothing
// for words that are none. variantKindWord gives a kind's word.
QString variantKindWord(VariantKind kind);
std::optional<VariantKind> variantKindOf(const QString &word);
bool variantSizeOf(const QString &word, int *n, int *m);

#endif // VARIANTS_H
