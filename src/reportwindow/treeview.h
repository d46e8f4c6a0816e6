// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of branch and bound on the report's page: the drawing of its
// boxes in the window's colours, scaled down where it is wider than the
// page may grow, but never below a readable size: a wider tree scrolls
// sideways in its own frame, and the page keeps its width.
#ifndef TREEVIEW_H
#define TREEVIEW_H

#include "texts/reporttext.h"

#include <QScrollArea>

#include <vector>

class TreeView : public QScrollArea
{
    Q_OBJECT

public:
    explicit TreeView(QWidget *parent);

    // The tree to draw; the frame takes the size it is drawn at.
    void setTree(const std::vector<TreeLine> &tree);
    const std::vector<TreeLine> &tree() const { return lines; }

protected:
    void changeEvent(QEvent *event) override;

private:
    class Canvas;
    void fit();

    std::vector<TreeLine> lines;
    Canvas *canvas;
};

#endif // TREEVIEW_H
