// SPDX-License-Identifier: GPL-3.0-or-later
// A group's variants as files for a teacher: a problem file each
// (variant-01.lp …, its first comment line "Вариант k" and the seed), the
// students' sheet (variants.pdf: slips to cut, two a page, each the task
// in words, a line for the name and group, and the problem as the report
// writes it) and the answer key (answers.txt and answers.pdf: each
// variant's verdict, optimum and value in fractions, dual estimates and
// pivot elements, in the report's own words).
#ifndef VARIANTFILES_H
#define VARIANTFILES_H

#include "files/variants.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// A variant's problem file, numbered to the width of the group's count.
QString variantFileName(int k, int count);
QByteArray variantFile(const Variant &variant, int k, quint64 seed);

// The answer key as text.
QString answerKey(const VariantRequest &request, const std::vector<Variant> &variants);

// Writes every file into `folder` (made when missing). False, and why in
// *error, when a file cannot be written.
bool writeVariantFiles(const QString &folder, const VariantRequest &request, const std::vector<Variant> &variants,
                       QString *error);

// The task over a variant on the students' sheet, in words (the integer
// wording for an integer variant), and the line for the student's name and
// group.
QStringList variantTask(bool integer);

// A kind in words: "оптимум", "вперемешку", ...
QString variantKindText(VariantKind kind);

// What the request asks for in words: "вариантов: 30; размер 3 x 4; вид: оптимум; зерно 12345".
QString variantRequestText(const VariantRequest &request);

#endif // VARIANTFILES_H
