// SPDX-License-Identifier: GPL-3.0-or-later
// Implements variants.h: variants for a group.
#include "files/variants.h"

#include "method/exact.h"
#include "texts/explain.h"
#include "method/solve.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// A generator of the program's own (SplitMix64), so that a seed gives the
// same variants whatever the standard library.
class Random
{
public:
    explicit Random(quint64 seed) : state(seed) {}
    quint64 next()
    {
        quint64 z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int between(int lo, int hi) { return lo + int(next() % quint64(hi - lo + 1)); }

private:
    quint64 state;
};

// A coefficient from -9 to 9: a zero now and then, small sizes more often
// than large ones (the hand work stays small).
int coefficient(Random &random)
{
    static const int weights[kVariantCoefficient] = {36, 18, 12, 9, 7, 6, 5, 4, 4};
    if (random.between(0, 5) == 0)
        return 0;
    int pick = random.between(0, 100);
    int size = 1;
    while (pick >= weights[size - 1] && size < kVariantCoefficient)
        pick -= weights[size++ - 1];
    return random.between(0, 1) ? size : -size;
}

ProblemTexts randomProblem(Random &random, int n, int m, bool integer)
{
    ProblemTexts p;
    p.n = n;
    p.m = m;
    p.integer = integer;
    p.maximise = random.between(0, 1);
    for (int j = 0; j < n; ++j)
        p.objective << QString::number(coefficient(random));
    for (int k = 0; k < n * m; ++k)
        p.constraints << QString::number(coefficient(random));
    for (int i = 0; i < m; ++i)
        p.rightHands << QString::number(random.between(-kVariantRightHand, kVariantRightHand));
    return p;
}

// The problem up to the order of its rows.
QString canonical(const ProblemTexts &p)
{
    QStringList rows;
    for (int i = 0; i < p.m; ++i)
        rows << (p.constraints.mid(i * p.n, p.n) << p.rightHands[i]).join(QLatin1Char(' '));
    rows.sort();
    return QStringLiteral("%1|%2|%3").arg(p.maximise).arg(p.objective.join(QLatin1Char(' ')), rows.join(QLatin1Char('|')));
}

Verdict verdictOfKind(VariantKind kind)
{
    switch (kind) {
    case VariantKind::Infeasible:
        return Verdict::Infeasible;
    case VariantKind::Unbounded:
        return Verdict::Unbounded;
    case VariantKind::Integer:
        return Verdict::IntegerOptimum;
    default:
        return Verdict::Optimum;
    }
}

// The pivots before the first change (the method's own, before any cut).
int pivotsBeforeCuts(const Course &course)
{
    int pivots = 0;
    for (const PivotChoice &pivot : course.pivots) {
        if (pivot.stage == kChangeStage)
            break;
        ++pivots;
    }
    return pivots;
}

bool isSmallFraction(const mpq_class &q)
{
    return q.get_den() <= kLargestDenominator && abs(q.get_num()) <= kLargestNumerator;
}

// Whether a choice of the method ties exactly with another candidate: the
// second stage's row (equal most negative free terms), a pivot column
// (equal scores), a cut's row (equal fractional parts).
bool hasExactTie(const Course &course, const ExactCourse &exact)
{
    for (int p = 0; p < int(course.pivots.size()); ++p) {
        const PivotChoice &pivot = course.pivots[p];
        const Tableau &table = course.tables[p];
        const int n = course.n;
        if (pivot.stage == kChangeStage) {
            if (!course.changes[pivot.row].cut)
                continue;
            const mpq_class part = fractionalPart(exact.at(course, p, course.changes[pivot.row].source, n));
            for (int i = 0; i < table.m; ++i)
                if (i != course.changes[pivot.row].source && variableOfRow(table.rows[i]) >= 0
                    && fractionalPart(exact.at(course, p, i, n)) == part)
                    return true;
            continue;
        }
        if (pivot.stage == 2)
            for (int i = 0; i < table.m; ++i)
                if (i != pivot.row && exact.at(course, p, i, n) == exact.at(course, p, pivot.row, n))
                    return true;
        const std::optional<mpq_class> chosen = exactScore(course, exact, p, pivot.column);
        for (int j = 0; j < n; ++j)
            if (j != pivot.column && chosen && exactScore(course, exact, p, j) == chosen)
                return true;
    }
    return false;
}

// The kinds of the variants in order: the one asked for, or for a mixed
// group a third each of optimum, infeasible and unbounded, shuffled.
std::vector<VariantKind> kindsOf(const VariantRequest &request, Random &random)
{
    std::vector<VariantKind> kinds(size_t(request.count), request.kind);
    if (request.kind != VariantKind::Mixed)
        return kinds;
    const VariantKind thirds[] = {VariantKind::Optimum, VariantKind::Infeasible, VariantKind::Unbounded};
    for (int k = 0; k < request.count; ++k)
        kinds[size_t(k)] = thirds[k % 3];
    for (int k = request.count - 1; k > 0; --k)
        std::swap(kinds[size_t(k)], kinds[size_t(random.between(0, k))]);
    return kinds;
}

} // namespace

Verdict verdictOf(const Course &course)
{
    switch (course.ending) {
    case Course::Ending::Optimum:
        return Verdict::Optimum;
    case Course::Ending::IntegerOptimum:
        return Verdict::IntegerOptimum;
    case Course::Ending::NoCandidate:
        return Verdict::Infeasible;
    case Course::Ending::NoPivotRow: {
        const Feasibility search = searchFeasiblePoint(course.tables.back());
        return !search.decided ? Verdict::Other : search.feasible ? Verdict::Unbounded : Verdict::Infeasible;
    }
    default:
        return Verdict::Other;
    }
}

QString variantFlaw(const Course &course, VariantKind kind)
{
    if (verdictOf(course) != verdictOfKind(kind))
        return QStringLiteral("another verdict");
    const Tableau &first = course.tables.front();
    bool negative = false;
    for (int i = 0; i < first.m; ++i)
        negative = negative || first.at(i, first.n) < 0;
    if (!negative)
        return QStringLiteral("no negative free term");
    const int pivots = pivotsBeforeCuts(course);
    if (pivots < kFewestVariantPivots || pivots > kMostVariantPivots)
        return QStringLiteral("%1 pivots").arg(pivots);
    if (kind == VariantKind::Integer && course.cutCount() > kMostVariantCuts)
        return QStringLiteral("%1 cuts").arg(course.cutCount());
    if (firstRepetition(course).first >= 0)
        return QStringLiteral("a repeated table");
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact)
        return QStringLiteral("no exact replay");
    for (const std::vector<mpq_class> &table : exact->tables)
        for (const mpq_class &v : table)
            if (!isSmallFraction(v))
                return QStringLiteral("the number %1").arg(fractionText(v));
    if (hasExactTie(course, *exact))
        return QStringLiteral("an exact tie");
    return QString();
}

std::vector<Variant> generateVariants(const VariantRequest &request, const std::function<bool(int found)> &found)
{
    Random random(request.seed);
    const std::vector<VariantKind> kinds = kindsOf(request, random);
    std::vector<Variant> variants;
    QSet<QString> seen;
    for (VariantKind kind : kinds) {
        bool added = false;
        for (int tries = 0; tries < request.tries && !added; ++tries) {
            ProblemTexts problem = randomProblem(random, request.n, request.m, kind == VariantKind::Integer);
            const QString key = canonical(problem);
            if (seen.contains(key))
                continue;
            Course course = solveCourse(problem);
            if (!variantFlaw(course, kind).isEmpty())
                continue;
            seen.insert(key);
            variants.push_back({std::move(problem), std::move(course), verdictOfKind(kind)});
            added = true;
        }
        if (!added || (found && !found(int(variants.size()))))
            break;
    }
    return variants;
}

namespace {
const char *const kKindWords[] = {"optimum", "infeasible", "unbounded", "integer", "mixed"};
} // namespace

QString variantKindWord(VariantKind kind)
{
    return QLatin1String(kKindWords[int(kind)]);
}

std::optional<VariantKind> variantKindOf(const QString &word)
{
    for (int k = 0; k <= int(VariantKind::Mixed); ++k)
        if (word.toLower() == QLatin1String(kKindWords[k]))
            return VariantKind(k);
    return std::nullopt;
}

bool variantSizeOf(const QString &word, int *n, int *m)
{
    static const QRegularExpression size(QStringLiteral("^([0-9])[xх×]([0-9])$"));
    const QRegularExpressionMatch match = size.match(word.trimmed().toLower());
    if (!match.hasMatch())
        return false;
    *n = match.captured(1).toInt();
    *m = match.captured(2).toInt();
    return *n >= kFewestVariantVariables && *n <= kMostVariantVariables && *m >= kFewestVariantRows
           && *m <= kMostVariantRows;
}
