#include "creatordialog.h"

#include "classfilereader.h"
#include "controlids.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

bool CreatorDialog::hasUnsavedChanges() const
{
    return changes.unsaved(editorState, formRecord());
}

bool CreatorDialog::settleUnsavedChanges()
{
    if (!hasUnsavedChanges())
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Question"),
                    tr("Write out the changes to %1?").arg(QString::fromLatin1(ClassFileName(editorState.sealsActive))),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(tr("&Write Out"));
    box.button(QMessageBox::Discard)->setText(tr("&Discard"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return writeOut();
    case QMessageBox::Discard:
        // The user gave the changes up: they no longer count as unsaved.
        changes.classesSaved(editorState);
        changes.formShown(formRecord());
        updateIndicators();
        return true;
    default:
        return false;
    }
}

void CreatorDialog::updateIndicators()
{
    setWindowModified(hasUnsavedChanges());
    if (QAction *toggle = command(CommandId::ChangeActiveConfig))
        toggle->setText(editorState.sealsActive ? tr("&Change Active-Config (Seals)")
                                                : tr("&Change Active-Config (Tangos)"));
}

// Every box, check box and list that the form stores marks changes as they
// are typed or picked; filling the form does not.
void CreatorDialog::watchForChanges()
{
    const auto changed = [this] {
        if (!fillingForm)
            updateIndicators();
    };
    for (int id : controls.keys()) {
        if (id == ControlId::StatusLine || id == ControlId::Amount || id == ControlId::CalculateResult)
            continue;
        if (auto *box = control<QLineEdit>(id))
            connect(box, &QLineEdit::textChanged, this, changed);
        else if (auto *check = control<QCheckBox>(id))
            connect(check, &QCheckBox::toggled, this, changed);
    }
    connect(control<QComboBox>(ControlId::Resistance), &QComboBox::currentTextChanged, this, changed);
}
