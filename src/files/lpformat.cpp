// SPDX-License-Identifier: GPL-3.0-or-later
// Implements lpformat.h: problems as files in the LP format, the text format
// of linear programs that GLPK (glpsol --lp) and other solvers read.
#include "files/lpformat.h"

#include "method/basictext.h"
#include "method/fieldtext.h"
#include "files/lpscan.h"

#include <QHash>
#include <QSet>

#include <cmath>
#include <map>
#include <vector>

namespace {

using basictext::tr;
using namespace lp;

// The sizes of problem the program solves.
constexpr int kFewestVariables = 2;
constexpr int kMostVariables = 4;
constexpr int kFewestRows = 1;
constexpr int kMostRows = 8;

// A number's text with its sign: "-" kept, "+" left out.
QString signedText(const QString &sign, const QString &number)
{
    return sign == QLatin1String("-") ? QLatin1Char('-') + number : number;
}

// The text multiplied by -1: only its sign changes; a zero keeps its text.
QString negated(const QString &text)
{
    bool isNumber = false;
    if (fieldValue(text, &isNumber) == 0)
        return text;
    return text.startsWith(QLatin1Char('-')) ? text.mid(1) : QLatin1Char('-') + text;
}

bool equalsWord(const Token &token, const char *word)
{
    return token.kind == Token::Name && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

class Reader
{
public:
    explicit Reader(Source source) : source(std::move(source)) {}
    ProblemTexts read();

private:
    enum class Keyword { None, Maximise, Minimise, SubjectTo, Bounds, General, End };
    // A row of the problem as "<=": the coefficients it names, by variable.
    struct Row {
        int line;
        QHash<int, QString> terms;
        QString rightHand;
    };
    // A variable's bound from the bounds section: its text and value.
    struct Bound {
        int line = 0;
        QString text;
        double value = 0;
    };

    const Token &peek(size_t ahead = 0) const
    {
        return source.tokens[std::min(next + ahead, source.tokens.size() - 1)];
    }
    const Token &take() { return source.tokens[std::min(next++, source.tokens.size() - 1)]; }
    Keyword keyword(size_t *length = nullptr) const;
    void skipKeyword();
    [[noreturn]] void unexpected(const Token &token, const QString &expected) const;
    QString number(const Token &token) const;
    int variable(const Token &token);
    void label();
    QHash<int, QString> linearForm(bool objective);
    void constraint();
    Bound boundValue();
    void bound();
    void setBound(int var, const QString &relation, const Bound &value, bool variableLeft);
    ProblemTexts assemble() const;
    void takeFormTexts(ProblemTexts *problem) const;

    Source source;
    size_t next = 0;
    bool maximise = true;
    QHash<int, QString> objective;
    std::vector<Row> rows;
    QStringList names;
    QHash<QString, int> index;
    std::vector<int> firstLine;
    std::map<int, Bound> uppers, lowers;
    int generalLine = 0; // where the section of whole variables begins; 0 for none
    QSet<int> general;
};

// A keyword stands first on its line.
Reader::Keyword Reader::keyword(size_t *length) const
{
    const Token &t = peek();
    if (t.kind != Token::Name || !t.startsLine)
        return Keyword::None;
    if (length)
        *length = 1;
    for (const char *word : {"maximize", "maximise", "maximum", "max"})
        if (equalsWord(t, word))
            return Keyword::Maximise;
    for (const char *word : {"minimize", "minimise", "minimum", "min"})
        if (equalsWord(t, word))
            return Keyword::Minimise;
    for (const char *word : {"st", "s.t.", "st."})
        if (equalsWord(t, word))
            return Keyword::SubjectTo;
    if ((equalsWord(t, "subject") && equalsWord(peek(1), "to"))
        || (equalsWord(t, "such") && equalsWord(peek(1), "that"))) {
        if (length)
            *length = 2;
        return Keyword::SubjectTo;
    }
    if (equalsWord(t, "bounds") || equalsWord(t, "bound"))
        return Keyword::Bounds;
    if (equalsWord(t, "end"))
        return Keyword::End;
    for (const char *word : {"general", "generals", "gen", "integer", "integers"})
        if (equalsWord(t, word))
            return Keyword::General;
    for (const char *word : {"binary", "binaries", "bin"})
        if (equalsWord(t, word))
            refuse(t.line, tr("раздел «%1» не поддерживается: программа решает задачи с x >= 0, целыми или нет, "
                              "а не с переменными 0 или 1").arg(t.text));
    if (equalsWord(t, "semi") || equalsWord(t, "semis") || equalsWord(t, "semi-continuous"))
        refuse(t.line, tr("раздел «semi-continuous» не поддерживается: программа решает задачи с x >= 0"));
    return Keyword::None;
}

void Reader::skipKeyword()
{
    size_t length = 0;
    keyword(&length);
    next += length;
}

[[noreturn]] void Reader::unexpected(const Token &token, const QString &expected) const
{
    const QString found = token.kind == Token::End ? tr("конец файла") : QStringLiteral("«%1»").arg(token.text);
    refuse(token.line, tr("ожидается %1, а стоит %2").arg(expected, found));
}

// A number's text; refused when it is no finite double.
QString Reader::number(const Token &token) const
{
    bool isNumber = false;
    if (!std::isfinite(fieldValue(token.text, &isNumber)))
        refuse(token.line, tr("число %1 слишком велико: оно не помещается в число с плавающей точкой")
                               .arg(token.text));
    return token.text;
}

// The number of the variable a name names, counted in the order of first
// appearance.
int Reader::variable(const Token &token)
{
    const auto known = index.constFind(token.text);
    if (known != index.constEnd())
        return *known;
    index.insert(token.text, names.size());
    names << token.text;
    firstLine.push_back(token.line);
    return names.size() - 1;
}

// An optional "name:" before the objective or a constraint.
void Reader::label()
{
    if (peek().kind == Token::Name && peek(1).kind == Token::Colon && keyword() == Keyword::None)
        next += 2;
}

// Terms "[+|-] [number] name" up to a relation, a keyword or the end of the
// file, over any number of lines.
QHash<int, QString> Reader::linearForm(bool isObjective)
{
    QHash<int, QString> terms;
    for (bool first = true;; first = false) {
        const Token &start = peek();
        if (start.kind == Token::End || start.kind == Token::Relation || keyword() != Keyword::None)
            return terms;
        QString sign;
        if (start.kind == Token::Sign)
            sign = take().text;
        else if (!first)
            unexpected(start, isObjective ? tr("знак + или - перед следующим членом")
                                          : tr("знак + или - перед следующим членом или знак <=, >= или ="));
        QString coefficient = QStringLiteral("1");
        const bool hasNumber = peek().kind == Token::Number;
        const int numberLine = peek().line;
        if (hasNumber)
            coefficient = number(take());
        const Token &name = peek();
        if (name.kind != Token::Name || keyword() != Keyword::None) {
            if (isObjective && hasNumber)
                refuse(numberLine, tr("постоянное слагаемое %1 в целевой функции не поддерживается")
                                       .arg(signedText(sign, coefficient)));
            unexpected(name, tr("имя переменной"));
        }
        take();
        const int var = variable(name);
        if (terms.contains(var))
            refuse(name.line, tr("переменная %1 встречается в одной строке дважды").arg(name.text));
        terms.insert(var, signedText(sign, coefficient));
    }
}

// "[name:] terms relation [+|-] number": "<=" one row, ">=" one row times
// -1, "=" both.
void Reader::constraint()
{
    const int line = peek().line;
    label();
    const QHash<int, QString> terms = linearForm(false);
    if (terms.isEmpty())
        unexpected(peek(), tr("ограничение: члены вида [+|-] [число] имя"));
    if (peek().kind != Token::Relation)
        unexpected(peek(), tr("знак <=, >= или ="));
    const QString relation = take().text;
    QString sign;
    if (peek().kind == Token::Sign)
        sign = take().text;
    if (peek().kind != Token::Number)
        unexpected(peek(), tr("число в правой части"));
    const int rightHandLine = peek().line;
    const QString rightHand = signedText(sign, number(take()));
    // As GLPK reads the format, a constraint ends with its line.
    if (peek().kind != Token::End && peek().line == rightHandLine)
        refuse(rightHandLine, tr("после правой части в строке лишнее: «%1»").arg(peek().text));
    if (relation != QLatin1String(">="))
        rows.push_back({line, terms, rightHand});
    if (relation != QLatin1String("<=")) {
        QHash<int, QString> opposite;
        for (auto t = terms.constBegin(); t != terms.constEnd(); ++t)
            opposite.insert(t.key(), negated(t.value()));
        rows.push_back({line, opposite, negated(rightHand)});
    }
}

// A bound's value: a signed number, or an infinity ("inf", "infinity").
Reader::Bound Reader::boundValue()
{
    Bound bound;
    bound.line = peek().line;
    QString sign;
    if (peek().kind == Token::Sign)
        sign = take().text;
    const Token &t = peek();
    if (equalsWord(t, "inf") || equalsWord(t, "infinity")) {
        take();
        bound.value = sign == QLatin1String("-") ? -INFINITY : INFINITY;
        return bound;
    }
    if (t.kind != Token::Number)
        unexpected(t, tr("число"));
    bound.text = signedText(sign, number(take()));
    bool isNumber = false;
    bound.value = fieldValue(bound.text, &isNumber);
    return bound;
}

// "x >= l", "x <= u", "x = v", "l <= x", "l <= x <= u" (any relation),
// "x free".
void Reader::bound()
{
    const Token &first = peek();
    if (first.kind == Token::Name && !equalsWord(first, "inf") && !equalsWord(first, "infinity")) {
        const int var = variable(take());
        if (equalsWord(peek(), "free"))
            refuse(first.line, tr("переменная %1 свободна, а программа решает задачи с x >= 0").arg(first.text));
        if (peek().kind != Token::Relation)
            unexpected(peek(), tr("знак <=, >= или ="));
        const QString relation = take().text;
        setBound(var, relation, boundValue(), true);
        return;
    }
    const Bound left = boundValue();
    if (peek().kind != Token::Relation)
        unexpected(peek(), tr("знак <=, >= или ="));
    const QString relation = take().text;
    const Token &name = peek();
    if (name.kind != Token::Name || keyword() != Keyword::None)
        unexpected(name, tr("имя переменной"));
    const int var = variable(take());
    setBound(var, relation, left, false);
    if (peek().kind == Token::Relation) {
        const QString second = take().text;
        setBound(var, second, boundValue(), true);
    }
}

void Reader::setBound(int var, const QString &relation, const Bound &value, bool variableLeft)
{
    const bool upper = relation == (variableLeft ? QLatin1String("<=") : QLatin1String(">="));
    const bool lower = relation == (variableLeft ? QLatin1String(">=") : QLatin1String("<="));
    const bool both = relation == QLatin1String("=");
    if ((lower || both) && !(value.value >= 0))
        refuse(value.line, tr("нижняя граница переменной %1 отрицательна, а программа решает задачи с x >= 0")
                               .arg(names[var]));
    if ((lower || both) && std::isinf(value.value))
        refuse(value.line, tr("нижняя граница переменной %1 бесконечна").arg(names[var]));
    if ((upper || both) && value.value == -INFINITY)
        refuse(value.line, tr("верхняя граница переменной %1 равна -inf").arg(names[var]));
    if (upper || both)
        uppers[var] = value;
    if (lower || both)
        lowers[var] = value;
}

ProblemTexts Reader::read()
{
    if (peek().kind == Token::End)
        refuse(1, tr("в файле нет задачи: он пуст или в нём одни комментарии"));
    const Keyword sense = keyword();
    if (sense != Keyword::Maximise && sense != Keyword::Minimise)
        unexpected(peek(), tr("в начале строки maximize или minimize"));
    maximise = sense == Keyword::Maximise;
    skipKeyword();
    label();
    objective = linearForm(true);
    if (keyword() != Keyword::SubjectTo)
        unexpected(peek(), tr("в начале строки subject to"));
    skipKeyword();
    while (peek().kind != Token::End && keyword() == Keyword::None)
        constraint();
    if (keyword() == Keyword::Bounds) {
        skipKeyword();
        while (peek().kind != Token::End && keyword() == Keyword::None)
            bound();
    }
    if (keyword() == Keyword::General) {
        generalLine = peek().line;
        skipKeyword();
        while (peek().kind == Token::Name && keyword() == Keyword::None)
            general.insert(variable(take()));
    }
    if (keyword() == Keyword::End) {
        skipKeyword();
        if (peek().kind != Token::End)
            refuse(peek().line, tr("после end не должно быть ничего, кроме комментариев"));
    } else if (peek().kind != Token::End) {
        unexpected(peek(), generalLine ? tr("end") : tr("bounds, general или end"));
    }
    ProblemTexts problem = assemble();
    if (generalLine) {
        // The program makes every variable whole, or none.
        for (int j = 0; j < names.size(); ++j)
            if (!general.contains(j))
                refuse(generalLine, tr("в разделе general названы не все переменные (нет %1): программа делает "
                                       "целыми все переменные или ни одной").arg(names[j]));
        problem.integer = true;
    }
    takeFormTexts(&problem);
    return problem;
}

// The form's texts: a variable a row does not name has 0; the bounds'
// rows follow the file's, by variable, the upper bound first.
ProblemTexts Reader::assemble() const
{
    const int n = names.size();
    const int lastLine = source.tokens.back().line;
    if (n > kMostVariables)
        refuse(firstLine[kMostVariables],
               tr("переменных в задаче %1, а программа решает задачи с %2–%3 переменными (здесь появляется "
                  "переменная %4)").arg(n).arg(kFewestVariables).arg(kMostVariables).arg(names[kMostVariables]));
    if (n < kFewestVariables)
        refuse(lastLine, tr("переменных в задаче %1, а программа решает задачи с %2–%3 переменными")
                             .arg(n).arg(kFewestVariables).arg(kMostVariables));
    std::vector<Row> all = rows;
    for (int j = 0; j < n; ++j) {
        if (const auto u = uppers.find(j); u != uppers.end() && std::isfinite(u->second.value))
            all.push_back({u->second.line, {{j, QStringLiteral("1")}}, u->second.text});
        if (const auto l = lowers.find(j); l != lowers.end() && l->second.value > 0)
            all.push_back({l->second.line, {{j, QStringLiteral("-1")}}, negated(l->second.text)});
    }
    const int m = int(all.size());
    if (m > kMostRows)
        refuse(all[kMostRows].line,
               tr("строк-ограничений в задаче %1 (ограничение с >= даёт одну строку <=, с = — две, граница "
                  "переменной — одну), а программа решает задачи с %2–%3 ограничениями; здесь начинается "
                  "%4-я").arg(m).arg(kFewestRows).arg(kMostRows).arg(kMostRows + 1));
    if (m < kFewestRows)
        refuse(lastLine, tr("в задаче нет ограничений, а программа решает задачи с %1–%2 ограничениями")
                             .arg(kFewestRows).arg(kMostRows));
    ProblemTexts problem;
    problem.maximise = maximise;
    problem.n = n;
    problem.m = m;
    const QString zero = QStringLiteral("0");
    for (int j = 0; j < n; ++j)
        problem.objective << objective.value(j, zero);
    for (const Row &row : all) {
        for (int j = 0; j < n; ++j)
            problem.constraints << row.terms.value(j, zero);
        problem.rightHands << row.rightHand;
    }
    return problem;
}

// The texts of the comment lines "поле F: …", "поле Y0: …", … take the
// place of the numbers' texts when they are the form of this very problem:
// the variables x0, x1, … in order, a line for every row, and every text
// counting as the number that the problem holds in its place. Otherwise the
// file was changed since, and its problem holds.
void Reader::takeFormTexts(ProblemTexts *problem) const
{
    for (int j = 0; j < problem->n; ++j)
        if (names[j] != QStringLiteral("x%1").arg(j))
            return;
    std::map<QString, QStringList> lines;
    for (const auto &comment : source.comments) {
        const QString body = comment.second.trimmed();
        if (!body.startsWith(kFieldsMarker))
            continue;
        const int colon = body.indexOf(QLatin1Char(':'));
        QStringList texts;
        if (colon < 0 || !unquoted(body.mid(colon + 1), &texts))
            return;
        lines[body.mid(kFieldsMarker.size(), colon - kFieldsMarker.size())] = texts;
    }
    if (int(lines.size()) != problem->m + 1)
        return;
    auto agree = [](const QStringList &texts, const QStringList &numbers) {
        if (texts.size() != numbers.size())
            return false;
        for (int k = 0; k < texts.size(); ++k)
            if (lpValue(texts[k]) != lpValue(numbers[k]))
                return false;
        return true;
    };
    const int n = problem->n;
    ProblemTexts typed = *problem;
    typed.objective = lines[kObjectiveName];
    typed.constraints.clear();
    typed.rightHands.clear();
    for (int i = 0; i < problem->m; ++i) {
        const QStringList row = lines[QStringLiteral("Y%1").arg(i)];
        const QStringList numbers = problem->constraints.mid(i * n, n) << problem->rightHands[i];
        if (!agree(row, numbers))
            return;
        typed.constraints += row.mid(0, n);
        typed.rightHands << row.last();
    }
    if (agree(typed.objective, problem->objective))
        *problem = typed;
}


} // namespace

double lpValue(const QString &text)
{
    bool isNumber = false;
    const double v = fieldValue(text, &isNumber);
    return std::isfinite(v) ? v : 0;
}

std::optional<ProblemTexts> readLpProblem(const QByteArray &file, LpError *error)
{
    try {
        return Reader(scan(decode(file))).read();
    } catch (const Refusal &refusal) {
        if (error)
            *error = refusal.error;
        return std::nullopt;
    }
}
