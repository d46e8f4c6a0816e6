// SPDX-License-Identifier: GPL-3.0-or-later
// Implements lpscan.h: the LP format's text cut into tokens for the reader,
// and the comment lines in which a file keeps the form's texts as typed.
#include "files/lpscan.h"

#include "method/basictext.h"

namespace lp {

const QString kFieldsMarker = QStringLiteral("поле ");
const QString kObjectiveName = QStringLiteral("F");

[[noreturn]] void refuse(int line, const QString &message)
{
    throw Refusal{{line, message}};
}

namespace {

using basictext::tr;

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace lp
