// SPDX-License-Identifier: GPL-3.0-or-later
// Implements whatifdialog.h: the small dialog of "Что если…".
#include "reportwindow/whatifdialog.h"

#include "method/fieldtext.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

using reporttext::tr;

bool finite(const QString &text)
{
    bool isNumber = false;
    return std::isfinite(fieldValue(text, &isNumber));
}

} // namespace

std::optional<WhatIf> askWhatIf(QWidget *parent, const CourseView &view)
{
    const Course &course = view.course();
    const int last = int(course.tables.size()) - 1;
    const int m = course.tables[last].m;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("whatIfDialog"));
    dialog.setWindowTitle(tr("Что если…"));
    auto *form = new QFormLayout(&dialog);
    auto *row = new QComboBox(&dialog);
    row->setObjectName(QStringLiteral("whatIfRow"));
    for (int i = 0; i < m; ++i)
        row->addItem(tr("Y%1 (b = %2)").arg(i).arg(view.rightHandAt(last, i)));
    row->addItem(tr("новое ограничение"));
    form->addRow(tr("Изменить:"), row);
    auto *coefficients = new QWidget(&dialog);
    auto *line = new QHBoxLayout(coefficients);
    line->setContentsMargins(0, 0, 0, 0);
    QList<QLineEdit *> fields;
    for (int j = 0; j < course.n; ++j) {
        auto *field = new QLineEdit(QStringLiteral("0"), coefficients);
        field->setObjectName(QStringLiteral("whatIfCoefficient%1").arg(j));
        field->setAccessibleName(tr("Новое ограничение: коэффициент при x%1").arg(j));
        fields << field;
        line->addWidget(field);
        line->addWidget(new QLabel(QStringLiteral("x%1").arg(j) + (j + 1 < course.n ? QStringLiteral(" +") : QString()),
                                   coefficients));
    }
    form->addRow(tr("Коэффициенты:"), coefficients);
    auto *value = new QLineEdit(&dialog);
    value->setObjectName(QStringLiteral("whatIfValue"));
    value->setAccessibleName(tr("Новая правая часть"));
    form->addRow(tr("Правая часть:"), value);
    auto *problem = new QLabel(&dialog);
    problem->setStyleSheet(QStringLiteral("color: #c00000"));
    form->addRow(problem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Отмена"));
    form->addRow(buttons);

    // A right-hand side starts at its value; a new constraint's fields are
    // open only for it.
    auto chosen = [&](int index) {
        const bool added = index == m;
        coefficients->setEnabled(added);
        value->setText(added ? QStringLiteral("0") : rightHandText(course, index));
        value->selectAll();
    };
    QObject::connect(row, QOverload<int>::of(&QComboBox::currentIndexChanged), &dialog, chosen);
    chosen(0);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        bool ok = finite(value->text());
        if (row->currentIndex() == m)
            for (const QLineEdit *field : fields)
                ok = ok && finite(field->text());
        if (ok)
            dialog.accept();
        else
            problem->setText(tr("Значение поля не является конечным числом"));
    });
    value->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    WhatIf whatIf;
    whatIf.row = row->currentIndex() == m ? -1 : row->currentIndex();
    whatIf.rightHandText = value->text();
    if (whatIf.row < 0)
        for (const QLineEdit *field : fields)
            whatIf.coefficientTexts << field->text();
    return whatIf;
}
