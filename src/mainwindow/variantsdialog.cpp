// SPDX-License-Identifier: GPL-3.0-or-later
// Implements variantsdialog.h: "Варианты для группы…".
#include "mainwindow/variantsdialog.h"

#include "method/basictext.h"
#include "documents/variantfiles.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>
#include <QUrl>

namespace {

using basictext::tr;

constexpr int kDefaultCount = 30;

} // namespace

VariantsDialog::VariantsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("variantsDialog"));
    setWindowTitle(tr("Варианты для группы"));
    auto *form = new QFormLayout(this);
    count = new QSpinBox(this);
    count->setObjectName(QStringLiteral("variantsCount"));
    count->setRange(1, kMostVariants);
    count->setValue(kDefaultCount);
    form->addRow(tr("Сколько вариантов:"), count);
    size = new QComboBox(this);
    size->setObjectName(QStringLiteral("variantsSize"));
    for (int n = kFewestVariantVariables; n <= kMostVariantVariables; ++n)
        for (int m = kFewestVariantRows; m <= kMostVariantRows; ++m)
            size->addItem(QStringLiteral("%1 x %2").arg(n).arg(m), QStringLiteral("%1x%2").arg(n).arg(m));
    size->setCurrentIndex(size->findData(QStringLiteral("2x3")));
    form->addRow(tr("Размер (переменные x ограничения):"), size);
    kind = new QComboBox(this);
    kind->setObjectName(QStringLiteral("variantsKind"));
    for (int k = 0; k <= int(VariantKind::Mixed); ++k)
        kind->addItem(variantKindText(VariantKind(k)), variantKindWord(VariantKind(k)));
    kind->setItemData(int(VariantKind::Mixed),
                      tr("Поровну оптимумов, несовместных и неограниченных, в случайном порядке"), Qt::ToolTipRole);
    form->addRow(tr("Вид:"), kind);
    seed = new QLineEdit(QString::number(QDateTime::currentMSecsSinceEpoch()), this);
    seed->setObjectName(QStringLiteral("variantsSeed"));
    seed->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), seed));
    seed->setToolTip(tr("С тем же зерном и теми же настройками получаются те же варианты"));
    form->addRow(tr("Зерно:"), seed);
    auto *place = new QWidget(this);
    auto *row = new QHBoxLayout(place);
    row->setContentsMargins(0, 0, 0, 0);
    folder = new QLineEdit(QDir::home().filePath(tr("варианты")), place);
    folder->setObjectName(QStringLiteral("variantsFolder"));
    auto *browse = new QToolButton(place);
    browse->setText(QStringLiteral("…"));
    browse->setToolTip(tr("Выбрать папку"));
    row->addWidget(folder);
    row->addWidget(browse);
    form->addRow(tr("Папка:"), place);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("variantsProgress"));
    progress->setRange(0, count->value());
    progress->setValue(0);
    form->addRow(progress);
    result = new QLabel(this);
    result->setObjectName(QStringLiteral("variantsResult"));
    result->setWordWrap(true);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(result);
    auto *buttons = new QDialogButtonBox(this);
    create = buttons->addButton(tr("Создать"), QDialogButtonBox::AcceptRole);
    create->setObjectName(QStringLiteral("variantsCreate"));
    open = buttons->addButton(tr("Открыть папку"), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("variantsOpen"));
    open->hide();
    buttons->addButton(tr("Закрыть"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(browse, &QToolButton::clicked, this, &VariantsDialog::chooseFolder);
    connect(create, &QPushButton::clicked, this, &VariantsDialog::write);
    connect(open, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder->text())); });
    connect(buttons, &QDialogButtonBox::rejected, this, &VariantsDialog::reject);
}

// Closing while it works stops it after the variant being found.
void VariantsDialog::reject()
{
    if (working) {
        cancelled = true;
        return;
    }
    QDialog::reject();
}

void VariantsDialog::chooseFolder()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, tr("Папка для вариантов"), folder->text());
    if (!chosen.isEmpty())
        folder->setText(chosen);
}

void VariantsDialog::setBusy(bool busy)
{
    working = busy;
    for (QWidget *input : std::initializer_list<QWidget *>{count, size, kind, seed, folder, create})
        input->setEnabled(!busy);
}

// The same files as --variants writes, the progress shown as each variant
// is found; at the end the folder is named (or why nothing was written).
void VariantsDialog::write()
{
    VariantRequest request;
    request.count = count->value();
    variantSizeOf(size->currentData().toString(), &request.n, &request.m);
    request.kind = *variantKindOf(kind->currentData().toString());
    request.seed = seed->text().toULongLong();
    progress->setRange(0, request.count);
    progress->setValue(0);
    result->clear();
    open->hide();
    cancelled = false;
    setBusy(true);
    const std::vector<Variant> variants = generateVariants(request, [this](int found) {
        progress->setValue(found);
        QCoreApplication::processEvents();
        return !cancelled;
    });
    setBusy(false);
    QString error;
    if (!writeVariantFiles(folder->text(), request, variants, &error)) {
        result->setText(error);
        create->setFocus();
        return;
    }
    QString said = tr("Записано вариантов: %1 в папку %2 (зерно %3)")
                       .arg(variants.size())
                       .arg(QDir::toNativeSeparators(folder->text()))
                       .arg(request.seed);
    if (int(variants.size()) < request.count && !cancelled)
        said += tr(". Найдено только %1 различных вариантов из %2: размер и вид задачи больше не дают.")
                    .arg(variants.size())
                    .arg(request.count);
    result->setText(said);
    open->show();
    open->setFocus();
}
