// SPDX-License-Identifier: GPL-3.0-or-later
#include "lpformat.h"

#include "basictext.h"
#include "fieldtext.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

#include <cmath>
#include <map>
#include <vector>

namespace {

using basictext::tr;

// The sizes of problem the program solves.
constexpr int kFewestVariables = 2;
constexpr int kMostVariables = 4;
constexpr int kFewestRows = 1;
constexpr int kMostRows = 8;

// The comment lines that keep the form's texts: "\ поле F: "1" "1/3"".
const QString kFieldsMarker = QStringLiteral("поле ");
const QString kObjectiveName = QStringLiteral("F");

// A refusal, thrown from deep inside the reader to its entry.
struct Refusal {
    LpError error;
};

[[noreturn]] void refuse(int line, const QString &message)
{
    throw Refusal{{line, message}};
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A name of the LP format: letters, digits and these signs, not starting
// with a digit or a period.
bool isNameChar(QChar c)
{
    static const QString signs = QStringLiteral("!\"#$%&()/,.;?@_`'{}|~");
    return c.isLetter() || isDigit(c) || signs.contains(c);
}

bool startsName(QChar c)
{
    return isNameChar(c) && !isDigit(c) && c != u'.';
}

struct Token {
    enum Kind { Name, Number, Sign, Relation, Colon, End };
    Kind kind = End;
    QString text; // a relation as "<=", ">=" or "="
    int line = 0;
    bool startsLine = false;
};

// The file cut into tokens, and its comments (the text after "\") by line.
struct Source {
    std::vector<Token> tokens;
    std::vector<std::pair<int, QString>> comments;
};

// The file as text: UTF-8, a byte-order mark left out. Refused: a file too
// large, with a NUL byte (no text file), or that is no UTF-8.
QString decode(QByteArray file)
{
    if (file.size() > kLargestProblemFile)
        refuse(0, tr("файл больше 1 МБ: это не задача этой программы"));
    if (file.startsWith("\xEF\xBB\xBF"))
        file.remove(0, 3);
    const QList<QByteArray> lines = file.split('\n');
    for (int k = 0; k < lines.size(); ++k) {
        if (lines[k].contains('\0'))
            refuse(k + 1, tr("файл не текстовый: в нём есть нулевой байт"));
        if (QString::fromUtf8(lines[k]).toUtf8() != lines[k])
            refuse(k + 1, tr("текст не в кодировке UTF-8"));
    }
    return QString::fromUtf8(file);
}

// Reads one number from `at`: digits with an optional point and exponent.
int numberEnd(const QString &line, int at)
{
    while (at < line.size() && isDigit(line[at]))
        ++at;
    if (at < line.size() && line[at] == u'.') {
        ++at;
        while (at < line.size() && isDigit(line[at]))
            ++at;
    }
    if (at < line.size() && (line[at] == u'e' || line[at] == u'E')) {
        int exponent = at + 1;
        if (exponent < line.size() && (line[exponent] == u'+' || line[exponent] == u'-'))
            ++exponent;
        if (exponent < line.size() && isDigit(line[exponent])) {
            at = exponent;
            while (at < line.size() && isDigit(line[at]))
                ++at;
        }
    }
    return at;
}

// "<", "<=" and "=<" are "<="; ">", ">=" and "=>" are ">="; "=" is "=".
int relationEnd(const QString &line, int at, QString *relation)
{
    const QChar first = line[at];
    const QChar next = at + 1 < line.size() ? line[at + 1] : QChar();
    if (first == u'=' && (next == u'<' || next == u'>')) {
        *relation = next == u'<' ? QStringLiteral("<=") : QStringLiteral(">=");
        return at + 2;
    }
    *relation = first == u'<' ? QStringLiteral("<=") : first == u'>' ? QStringLiteral(">=") : QStringLiteral("=");
    return at + (first != u'=' && next == u'=' ? 2 : 1);
}

Source scan(const QString &text)
{
    Source source;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int k = 0; k < lines.size(); ++k) {
        QString line = lines[k];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int comment = line.indexOf(QLatin1Char('\\'));
        if (comment >= 0) {
            source.comments.emplace_back(k + 1, line.mid(comment + 1));
            line.truncate(comment);
        }
        bool first = true;
        for (int at = 0; at < line.size();) {
            const QChar c = line[at];
            if (c.isSpace()) {
                ++at;
                continue;
            }
            Token token;
            token.line = k + 1;
            token.startsLine = first;
            first = false;
            int end = at + 1;
            if (isDigit(c) || (c == u'.' && at + 1 < line.size() && isDigit(line[at + 1]))) {
                token.kind = Token::Number;
                end = numberEnd(line, at);
            } else if (c == u'+' || c == u'-') {
                token.kind = Token::Sign;
            } else if (c == u'<' || c == u'>' || c == u'=') {
                token.kind = Token::Relation;
                end = relationEnd(line, at, &token.text);
            } else if (c == u':') {
                token.kind = Token::Colon;
            } else if (startsName(c)) {
                token.kind = Token::Name;
                while (end < line.size() && isNameChar(line[end]))
                    ++end;
            } else {
                refuse(k + 1, tr("недопустимый символ «%1»").arg(c));
            }
            if (token.kind != Token::Relation)
                token.text = line.mid(at, end - at);
            source.tokens.push_back(token);
            at = end;
        }
    }
    Token end;
    end.line = int(lines.size()) - (lines.size() > 1 && lines.last().trimmed().isEmpty() ? 1 : 0);
    source.tokens.push_back(end);
    return source;
}

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
    enum class Keyword { None, Maximise, Minimise, SubjectTo, Bounds, End };
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
    for (const char *word : {"general", "generals", "gen", "integer", "integers", "binary", "binaries", "bin"})
        if (equalsWord(t, word))
            refuse(t.line, tr("раздел «%1» не поддерживается: программа решает задачи без целочисленных "
                              "переменных").arg(t.text));
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
    if (keyword() == Keyword::End) {
        skipKeyword();
        if (peek().kind != Token::End)
            refuse(peek().line, tr("после end не должно быть ничего, кроме комментариев"));
    } else if (peek().kind != Token::End) {
        unexpected(peek(), tr("bounds или end"));
    }
    ProblemTexts problem = assemble();
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

// A field's text in a comment line: in double quotes, with "\" and '"'
// escaped, and what no line can hold as \uXXXX.
QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += QLatin1Char('\\') + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate() || c == QChar::LineSeparator
                 || c == QChar::ParagraphSeparator || c == QChar::ByteOrderMark)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// The quoted texts of a comment line, read back; false when it is not one.
bool unquoted(const QString &line, QStringList *texts)
{
    int at = 0;
    while (true) {
        while (at < line.size() && line[at] == u' ')
            ++at;
        if (at == line.size())
            return true;
        if (line[at] != u'"')
            return false;
        QString text;
        for (++at;; ++at) {
            if (at >= line.size())
                return false;
            const QChar c = line[at];
            if (c == u'"')
                break;
            if (c != u'\\') {
                text += c;
                continue;
            }
            if (++at >= line.size())
                return false;
            if (line[at] == u'u') {
                bool ok = false;
                const ushort code = line.mid(at + 1, 4).toUShort(&ok, 16);
                if (!ok || line.mid(at + 1, 4).size() != 4)
                    return false;
                text += QChar(code);
                at += 4;
            } else {
                text += line[at];
            }
        }
        *texts << text;
        ++at;
    }
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

QString lpNumber(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// " + 1 x0 - 2.5 x1 …": every variable, 0 included, so that the file names
// the variables in their order.
QString lpTerms(const QStringList &texts)
{
    QString terms;
    for (int j = 0; j < texts.size(); ++j) {
        const double v = lpValue(texts[j]);
        terms += QStringLiteral(" %1 %2 x%3").arg(v < 0 ? QLatin1Char('-') : QLatin1Char('+')).arg(lpNumber(std::abs(v))).arg(j);
    }
    return terms;
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

QByteArray writeLpProblem(const ProblemTexts &p)
{
    QString out = QStringLiteral("\\ Двойственный симплекс-метод: задача из формы ввода программы dual-simplex\n"
                                 "\\ Поля формы, как они введены; программа читает их отсюда, пока они дают\n"
                                 "\\ те же числа, что и строки задачи ниже\n");
    const QString field = QStringLiteral("\\ ") + kFieldsMarker + QStringLiteral("%1:");
    out += field.arg(kObjectiveName);
    for (const QString &text : p.objective)
        out += QLatin1Char(' ') + quoted(text);
    out += QLatin1Char('\n');
    for (int i = 0; i < p.m; ++i) {
        out += field.arg(QStringLiteral("Y%1").arg(i));
        const QStringList texts = p.constraints.mid(i * p.n, p.n) << p.rightHands[i];
        for (const QString &text : texts)
            out += QLatin1Char(' ') + quoted(text);
        out += QLatin1Char('\n');
    }
    out += p.maximise ? QStringLiteral("maximize\n") : QStringLiteral("minimize\n");
    out += QStringLiteral(" %1:%2\nsubject to\n").arg(kObjectiveName, lpTerms(p.objective));
    for (int i = 0; i < p.m; ++i)
        out += QStringLiteral(" Y%1:%2 <= %3\n")
                   .arg(i)
                   .arg(lpTerms(p.constraints.mid(i * p.n, p.n)), lpNumber(lpValue(p.rightHands[i])));
    out += QStringLiteral("end\n");
    return out.toUtf8();
}
