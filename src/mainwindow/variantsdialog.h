// SPDX-License-Identifier: GPL-3.0-or-later
// "Варианты для группы…": the dialog that writes a group's variants with
// their answer key, as the command line's --variants does: how many, their
// size and kind, the seed (from the clock, or typed to make a group again)
// and the folder; a progress bar while it works, and at the end the folder
// named, with a button that opens it.
#ifndef VARIANTSDIALOG_H
#define VARIANTSDIALOG_H

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

class VariantsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VariantsDialog(QWidget *parent);

protected:
    void reject() override;

private:
    void chooseFolder();
    void write();
    void setBusy(bool busy);

    QSpinBox *count;
    QComboBox *size, *kind;
    QLineEdit *seed, *folder;
    QProgressBar *progress;
    QLabel *result;
    QPushButton *create, *open;
    bool working = false, cancelled = false;
};

#endif // VARIANTSDIALOG_H
