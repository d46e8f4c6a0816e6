// SPDX-License-Identifier: GPL-3.0-or-later
// Branch and bound in words, in the numbers of a view: each node's line and
// its ending, the limit of nodes, the tree as an indented outline, and why
// each branch was made and each node closed.
#ifndef BRANCHWORDS_H
#define BRANCHWORDS_H

#include "texts/reporttext.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace reporttext {
QString branchSearchLine();
QString treeTitle();
} // namespace reporttext

// "Узел 2 (из узла 1): x0 <= 1", the line of the bound of change `change`.
QString nodeLine(const CourseView &view, int change);
// Node k's ending: "Узел 3: F = 44, x = (0 4) — целое, новый рекорд", …
QString nodeEndLine(const CourseView &view, int k);
// The search stopped at the limit of nodes, with the best whole point found.
QString nodeLimitLine(const CourseView &view);

// The tree in depth-first order (the order the nodes were taken): each
// node's outline line, its depth the line's indent, and its box.
std::vector<TreeLine> treeLines(const CourseView &view);
// The outline's indent for a depth, in plain text.
QString treeIndent(int depth);

// The explanations of branch and bound: where each goes, before item k.
std::vector<Explanation> explainBranches(const CourseView &view);

#endif // BRANCHWORDS_H
