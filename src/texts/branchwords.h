// SPDX-License-Identifier: GPL-3.0-or-later
// Branch and bound in words, in the numbers of a view: the tree as an
// indented outline and as boxes, and why each branch was made and each node
// closed. (The nodes' own lines are the report's: reporttext.h.)
#ifndef BRANCHWORDS_H
#define BRANCHWORDS_H

#include "texts/reporttext.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace reporttext {
QString treeTitle();
} // namespace reporttext

// The tree in depth-first order (the order the nodes were taken): each
// node's outline line, its depth the line's indent, and its box.
std::vector<TreeLine> treeLines(const CourseView &view);

// The explanations of branch and bound: where each goes, before item k.
std::vector<Explanation> explainBranches(const CourseView &view);

#endif // BRANCHWORDS_H
