// SPDX-License-Identifier: GPL-3.0-or-later
// The LP format's text cut into tokens for the reader, and the comment lines
// in which a file keeps the form's texts as typed: what reading and writing
// problem files share.
#ifndef LPSCAN_H
#define LPSCAN_H

#include "files/lperror.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace lp {

// The comment lines that keep the form's texts: "\ поле F: "1" "1/3"".
extern const QString kFieldsMarker;
extern const QString kObjectiveName;

// A refusal, thrown from deep inside the reader to its entry.
struct Refusal {
    LpError error;
};
[[noreturn]] void refuse(int line, const QString &message);

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
QString decode(QByteArray file);

// The text cut into tokens; refused at a character the format does not have.
Source scan(const QString &text);

// A field's text in a comment line: in double quotes, with "\" and '"'
// escaped, and what no line can hold as \uXXXX; and read back (false when
// the line holds no such texts).
QString quoted(const QString &text);
bool unquoted(const QString &line, QStringList *texts);

} // namespace lp

#endif // LPSCAN_H
