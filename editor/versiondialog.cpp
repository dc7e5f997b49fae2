#include "versiondialog.h"

#include "accessibility.h"
#include "dialogunits.h"
#include "screenfit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

VersionDialog::VersionDialog(const QString &fileName, const QStringList &times, const QStringList &differences,
                             QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Restore Previous Version"));
    versions = new QListWidget(this);
    versions->addItems(times);
    versions->setAccessibleName(tr("Earlier versions of %1").arg(fileName));
    speakCurrentEntryOnFocus(versions);
    auto *label = new QLabel(tr("Earlier &versions of %1:").arg(fileName), this);
    label->setBuddy(versions);
    changes = new QPlainTextEdit(this);
    changes->setReadOnly(true);
    changes->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    changes->setLineWrapMode(QPlainTextEdit::NoWrap);
    changes->setAccessibleName(tr("What restoring it changes"));
    auto *changesLabel = new QLabel(tr("What restoring it changes in the file on disk now:"), this);
    connect(versions, &QListWidget::currentRowChanged, this,
            [this, differences](int row) { changes->setPlainText(row < 0 ? QString() : differences.value(row)); });
    versions->setCurrentRow(0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(tr("&Restore"), QDialogButtonBox::AcceptRole)->setDefault(true);
    auto *note = new QLabel(tr("Restoring puts the version's classes into memory as one step that Undo takes back; "
                               "Write Out writes them."),
                            this);
    note->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(versions);
    layout->addWidget(changesLabel);
    layout->addWidget(changes, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(versions, &QListWidget::itemActivated, this, &QDialog::accept);
    versions->setFocus();
    fitOnScreen(this, QSize(int(letterWidth(fontMetrics()) * 80), fontMetrics().height() * 24));
}

int VersionDialog::chosenVersion() const
{
    return versions->currentRow();
}
