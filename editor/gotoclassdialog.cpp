#include "gotoclassdialog.h"

#include "accessibility.h"
#include "cp1252.h"
#include "model/table/announcements.h"
#include "model/table/tablecolumns.h"
#include "screenfit.h"
#include "typingannouncement.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace tolvane;

GoToClassDialog::GoToClassDialog(const QStringList &names, int current, QWidget *parent, const QList<int> &numbers)
    : QDialog(parent), names(names), numbers(numbers)
{
    setWindowTitle(tr("Go to Class"));
    classes = new QListWidget(this);
    classes->setAccessibleName(tr("Classes"));
    showMatching(QString());
    classes->setCurrentRow(std::clamp(current, 0, int(names.size()) - 1));
    find = new QLineEdit(this);
    auto *findLabel = new QLabel(tr("&Find:"), this);
    findLabel->setBuddy(find);
    find->installEventFilter(this);
    classes->installEventFilter(this);
    speakCurrentEntryOnFocus(classes);
    auto *label = new QLabel(tr("&Classes:"), this);
    label->setBuddy(classes);
    matchesSaid = new TypingAnnouncement(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(findLabel);
    layout->addWidget(find);
    layout->addWidget(label);
    layout->addWidget(classes);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(classes, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(find, &QLineEdit::textChanged, this, [this](const QString &text) {
        showMatching(text);
        const QString count = QString::fromStdString(classCountText(classes->count(), this->names.size()));
        matchesSaid->say(classes->count() ? count + QStringLiteral("; ") + currentEntry() : count);
    });
    connect(find, &QLineEdit::returnPressed, this, &QDialog::accept);
    // The list takes the focus, so that a screen reader reads the current
    // class on opening; typing there goes on in Find.
    classes->setFocus();
    fitOnScreen(this, sizeHint());
}

int GoToClassDialog::chosenSlot() const
{
    const QListWidgetItem *item = classes->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

// Only the classes whose names hold the text, as the class table's filter
// finds a part of a name; the class picked stays picked while it is listed,
// else the first is picked.
void GoToClassDialog::showMatching(const QString &text)
{
    const int picked = chosenSlot();
    const std::string part = toCp1252(text);
    classes->clear();
    for (int slot = 0; slot < names.size(); ++slot) {
        if (!containsIgnoreCase(toCp1252(names[slot]), part))
            continue;
        auto *item = new QListWidgetItem(tr("%1  %2").arg(numbers.value(slot, slot)).arg(names[slot]), classes);
        item->setData(Qt::UserRole, slot);
        if (slot == picked)
            classes->setCurrentItem(item);
    }
    if (!classes->currentItem() && classes->count() > 0)
        classes->setCurrentRow(0);
}

// The entry picked with its place among those listed: "3  Combat Medic, 1 of 2".
QString GoToClassDialog::currentEntry() const
{
    const QListWidgetItem *item = classes->currentItem();
    if (!item)
        return {};
    return QString::fromStdString(
        entryAnnouncement(item->text().toStdString(), classes->row(item) + 1, classes->count()));
}

// Up and Down in the find box move through the classes listed and say the
// one picked; text typed in the list goes to the find box.
bool GoToClassDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *press = static_cast<QKeyEvent *>(event);
    const int key = press->key();
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (watched == find && moves) {
        QCoreApplication::sendEvent(classes, event);
        announce(currentEntry());
        return true;
    }
    const bool typed = !press->text().isEmpty() && press->text().at(0).isPrint()
                       && !(press->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (watched == classes && typed) {
        find->setFocus();
        QCoreApplication::sendEvent(find, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
