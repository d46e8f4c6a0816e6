// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of branch and bound on the report's page: the drawing of its
// boxes in the window's colours, scaled down where it is wider than the
// page may grow.
#ifndef TREEVIEW_H
#define TREEVIEW_H

#include "texts/reporttext.h"

#include <QWidget>

#include <vector>

class TreeView : public QWidget
{
    Q_OBJECT

public:
    explicit TreeView(QWidget *parent);

    // The tree to draw; the widget takes the size it is drawn at.
    void setTree(const std::vector<TreeLine> &tree);
    const std::vector<TreeLine> &tree() const { return lines; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fit();

    std::vector<TreeLine> lines;
};

#endif // TREEVIEW_H
