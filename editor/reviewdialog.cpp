#include "reviewdialog.h"

#include "accessibility.h"
#include "dialogunits.h"
#include "screenfit.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReviewDialog::ReviewDialog(const QString &review, std::function<QString()> fileDiff, QWidget *owner)
    : QDialog(owner), review(review), fileDiff(std::move(fileDiff)), text(new QPlainTextEdit(this)),
      buttons(new QDialogButtonBox(QDialogButtonBox::Close, this))
{
    setWindowTitle(tr("Review Changes"));
    text->setReadOnly(true);
    // A cursor that the arrow keys move, so that a screen reader reads line by line.
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setAccessibleName(tr("Changes"));
    text->setPlainText(review);

    // Enter presses the button that has the focus, Close otherwise.
    switchButton = buttons->addButton(tr("Show File &Differences"), QDialogButtonBox::ActionRole);
    connect(switchButton, &QPushButton::clicked, this, &ReviewDialog::switchView);
    switchButton->setVisible(bool(this->fileDiff));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    fitOnScreen(this, QSize(int(letterWidth(fontMetrics()) * 100), fontMetrics().height() * 24));
    text->setFocus();
}

void ReviewDialog::offerImport(const QString &sheetName)
{
    setWindowTitle(tr("Review Changes - Import %1").arg(sheetName));
    text->setAccessibleName(tr("Changes of the import"));
    buttons->setStandardButtons(QDialogButtonBox::Cancel);
    buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void ReviewDialog::switchView()
{
    showingDiff = !showingDiff;
    if (showingDiff) {
        const QString diff = fileDiff();
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setPlainText(diff.isEmpty() ? tr("Write Out would leave the file as it is.") : diff);
    } else {
        text->setFont(font());
        text->setPlainText(review);
    }
    text->setAccessibleName(showingDiff ? tr("File differences") : tr("Changes"));
    switchButton->setText(showingDiff ? tr("Show &Changes") : tr("Show File &Differences"));
    // The focus stays on the button: a screen reader hears what it showed.
    announce(text->accessibleName());
}
