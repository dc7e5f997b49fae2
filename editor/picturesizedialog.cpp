#include "picturesizedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

PictureSizeDialog::PictureSizeDialog(const QString &title, QSize size, QWidget *owner)
    : QDialog(owner), width(new QSpinBox(this)), height(new QSpinBox(this))
{
    setWindowTitle(title);
    auto *form = new QFormLayout(this);
    const std::pair<QSpinBox *, int> boxes[] = {{width, size.width()}, {height, size.height()}};
    for (const auto &[box, pixels] : boxes) {
        box->setRange(smallest, largest);
        box->setValue(pixels);
        box->setSuffix(tr(" px"));
        box->setAccelerated(true);
    }
    width->setObjectName(QStringLiteral("pictureWidth"));
    height->setObjectName(QStringLiteral("pictureHeight"));
    form->addRow(tr("&Width:"), width);
    form->addRow(tr("&Height:"), height);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    width->setFocus();
    width->selectAll();
}

QSize PictureSizeDialog::pictureSize() const
{
    return {width->value(), height->value()};
}
