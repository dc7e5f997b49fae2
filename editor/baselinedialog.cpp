#include "baselinedialog.h"

#include "accessibility.h"
#include "dialogunits.h"
#include "screenfit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace tolvane;

namespace {

QLabel *textLabel(const std::string &text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromStdString(text), parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

BaselineDialog::BaselineDialog(const CompareView::BaselineView &baseline, QWidget *owner)
    : QDialog(owner), baseline(baseline), format(new QComboBox(this)), notes(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Compare with File"));
    // In the order of NotesFormat.
    format->addItems({tr("Plain text"), tr("Markdown"), tr("BBCode (forums)")});
    format->setObjectName(QStringLiteral("notesFormat"));
    speakListEntries(format);
    auto *formatLabel = new QLabel(tr("Patch notes &as:"), this);
    formatLabel->setBuddy(format);
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(format);
    formatRow->addStretch(1);

    notes->setObjectName(QStringLiteral("patchNotes"));
    notes->setReadOnly(true);
    // A cursor that the arrow keys move, so that a screen reader reads line by line.
    notes->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    notes->setLineWrapMode(QPlainTextEdit::NoWrap);
    notes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    notes->setAccessibleName(tr("Patch notes"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    QPushButton *save = buttons->addButton(tr("&Save..."), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, this, &BaselineDialog::copyNotes);
    connect(save, &QPushButton::clicked, this, &BaselineDialog::saveNotes);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(format, &QComboBox::currentIndexChanged, this, &BaselineDialog::showNotes);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(baseline.heading, this));
    if (!baseline.note.empty())
        layout->addWidget(textLabel(baseline.note, this));
    layout->addLayout(formatRow);
    layout->addWidget(notes, 1);
    layout->addWidget(buttons);
    showNotes();
    fitOnScreen(this, QSize(int(letterWidth(fontMetrics()) * 100), fontMetrics().height() * 28));
    notes->setFocus();
}

NotesFormat BaselineDialog::notesFormat() const
{
    return NotesFormat(std::max(format->currentIndex(), 0));
}

void BaselineDialog::showNotes()
{
    notes->setPlainText(QString::fromStdString(baseline.notes(notesFormat())));
}

void BaselineDialog::copyNotes()
{
    QApplication::clipboard()->setText(notes->toPlainText());
}

void BaselineDialog::saveNotes()
{
    baseline.save(notesFormat());
}
