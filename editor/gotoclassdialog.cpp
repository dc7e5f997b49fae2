#include "gotoclassdialog.h"

#include "accessibility.h"
#include "screenfit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

GoToClassDialog::GoToClassDialog(const QStringList &names, int current, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Go to Class"));
    classes = new QListWidget(this);
    for (int slot = 0; slot < names.size(); ++slot)
        classes->addItem(tr("%1  %2").arg(slot).arg(names[slot]));
    classes->setCurrentRow(std::clamp(current, 0, int(names.size()) - 1));
    speakCurrentEntryOnFocus(classes);
    auto *label = new QLabel(tr("&Classes:"), this);
    label->setBuddy(classes);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(classes);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(classes, &QListWidget::itemActivated, this, &QDialog::accept);
    classes->setFocus();
    fitOnScreen(this, sizeHint());
}

int GoToClassDialog::chosenSlot() const
{
    return classes->currentRow();
}
