#include "bulkchangedialog.h"

#include "accessibility.h"
#include "model/table/announcements.h"
#include "model/table/bulkchange.h"
#include "model/table/classroster.h"
#include "cp1252.h"
#include "model/session/formvalues.h"
#include "screenfit.h"
#include "model/table/tablecolumns.h"
#include "typingannouncement.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <variant>

using namespace tolvane;

BulkChangeDialog::BulkChangeDialog(TableRows rows, std::vector<int> chosen, int column, QWidget *parent)
    : QDialog(parent), rows(rows), chosen(std::move(chosen))
{
    setWindowTitle(tr("Change Selected Classes"));
    for (int slot : this->chosen)
        names.push_back(fromCp1252(rows.record(slot).classname.view()).toStdString());
    // Three words or more, so that a screen reader reads it with the dialog.
    heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("changedClasses"));
    heading->setWordWrap(true);
    columns = new QComboBox(this);
    const std::vector<TableColumn> &all = tableColumns();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].editable())
            columns->addItem(QString::fromStdString(all[i].title), int(i));
    }
    columns->setCurrentIndex(std::max(columns->findData(column), 0));
    now = new QLabel(this);
    now->setObjectName(QStringLiteral("valueNow"));
    now->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value = new QLineEdit(this);
    help = new QLabel(this);
    help->setWordWrap(true);
    problem = new QLabel(this);
    problem->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    change = buttons->button(QDialogButtonBox::Ok);
    change->setText(tr("C&hange"));
    auto *form = new QFormLayout(this);
    form->addRow(heading);
    form->addRow(tr("&Column:"), columns);
    speakListEntries(columns);
    problemSaid = new TypingAnnouncement(this);
    form->addRow(tr("Now:"), now);
    form->addRow(tr("&Value:"), value);
    form->addRow(help);
    form->addRow(problem);
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(columns, &QComboBox::currentIndexChanged, this, &BulkChangeDialog::showColumn);
    connect(columns, &QComboBox::activated, this,
            [this] { announce(QString::fromStdString(nowAnnouncement(now->text().toStdString()))); });
    connect(value, &QLineEdit::textChanged, this, &BulkChangeDialog::check);
    showColumn();
    value->setFocus();
    fitOnScreen(this, sizeHint());
}

int BulkChangeDialog::column() const
{
    return columns->currentData().toInt();
}

std::string BulkChangeDialog::typed() const
{
    return toCp1252(value->text());
}

void BulkChangeDialog::showColumn()
{
    const TableColumn &of = tableColumns()[std::size_t(column())];
    const QString common = fromCp1252(commonCellText(column(), rows, chosen));
    heading->setText(QString::fromStdString(bulkChangeHeading(of.title, names)));
    now->setText(common);
    value->setPlaceholderText(common);
    QStringList entries;
    switch (of.kind) {
    case ColumnKind::Tick:
        help->setText(tr("yes or no"));
        entries = {QStringLiteral("yes"), QStringLiteral("no")};
        break;
    case ColumnKind::Resistance:
        for (std::string_view entry : resistanceEntries)
            entries << fromCp1252(entry);
        help->setText(entries.join(QStringLiteral(", ")));
        break;
    case ColumnKind::StartingWeapon:
        for (std::string_view entry : startingWeaponEntries())
            entries << fromCp1252(entry);
        help->setText(tr("A weapon of the starting-weapon list"));
        break;
    case ColumnKind::Text:
        help->setText(tr("The text for every class"));
        break;
    default:
        help->setText(of.kind == ColumnKind::Float
                          ? tr("A value; +5 or -10 to add; x1.05, +5% or -10% to scale")
                          : tr("A whole number; +5 or -10 to add; x1.05, +5% or -10% to scale and round"));
    }
    auto *completer = entries.isEmpty() ? nullptr : new QCompleter(entries, value);
    if (completer)
        completer->setCaseSensitivity(Qt::CaseInsensitive);
    value->setCompleter(completer);
    check();
}

// Nothing that cannot be read gets as far as the classes.
void BulkChangeDialog::check()
{
    const auto read = readBulkChange(tableColumns()[std::size_t(column())], typed());
    const auto *why = std::get_if<std::string>(&read);
    problem->setText(why && !value->text().isEmpty() ? fromCp1252(*why) : QString());
    unreadable = why ? fromCp1252(*why) : QString();
    value->setAccessibleDescription(problem->text().isEmpty()
                                        ? QString::fromStdString(nowAnnouncement(now->text().toStdString()))
                                        : problem->text());
    change->setEnabled(!why);
    problemSaid->say(problem->text());
}

// Enter where Change is greyed says why, rather than nothing.
void BulkChangeDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !change->isEnabled() && event->modifiers() == Qt::NoModifier) {
        announce(QString::fromStdString(unavailableChangeAnnouncement(unreadable.toStdString())));
        return;
    }
    QDialog::keyPressEvent(event);
}
