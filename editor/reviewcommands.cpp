#include "creatordialog.h"

#include "chartwindow.h"
#include "controlids.h"
#include "formfields.h"
#include "problemswindow.h"
#include "reviewdialog.h"
#include "templateform.h"
#include "versiondialog.h"

#include <QComboBox>
#include <QDateTime>

namespace {

// The boxes of the keys that are not in the number tables.
struct KeyBox
{
    std::string_view key;
    int id;
};

constexpr KeyBox keyBoxes[] = {
    {"classname", ControlId::ClassName},       {"keys", ControlId::ConfigFile},
    {"resistance", ControlId::Resistance},     {"starting_weapon", ControlId::StartingWeaponList},
    {"classabilities", ControlId::Scanner},    {"inventory", ControlId::ItemList},
};

QStringList toQt(const std::vector<std::string> &lines)
{
    QStringList list;
    for (const std::string &line : lines)
        list.append(QString::fromStdString(line));
    return list;
}

} // namespace

// The Problems window opens beside the editor window where the screen has
// room, and moves out of the way of each box it jumps to.
void CreatorDialog::openProblems()
{
    if (!problemsWindow) {
        problemsWindow = new ProblemsWindow(this);
        connect(problemsWindow, &ProblemsWindow::problemChosen, this, [this](int index) {
            editing.goToProblem(std::size_t(index));
            refreshProblems();
            if (QWidget *box = focusWidget())
                problemsWindow->keepClearOf(QRect(box->mapToGlobal(QPoint()), box->size()));
            activateWindow();
        });
        problemsWindow->placeBeside(frameGeometry());
    }
    problemsWindow->showProblems(toQt(editing.problems()));
    problemsWindow->show();
    problemsWindow->raise();
    problemsWindow->activateWindow();
}

void CreatorDialog::refreshProblems()
{
    if (problemsWindow && problemsWindow->isVisible())
        problemsWindow->showProblems(toQt(editing.problems()));
    if (chartWindow && chartWindow->isVisible())
        chartWindow->refresh();
}

void CreatorDialog::openReview()
{
    ReviewDialog review(QString::fromStdString(editing.reviewChanges()),
                        [this] { return QString::fromStdString(editing.fileDifferences()); }, this);
    review.exec();
}

bool CreatorDialog::confirmImport(const std::string &sheetName, const std::string &review)
{
    ReviewDialog changes(QString::fromStdString(review), {}, this);
    changes.offerImport(QString::fromStdString(sheetName));
    return changes.exec() == QDialog::Accepted;
}

// The box of key; an inventory amount shows its item and puts the focus in
// the Amount box. Of the two boxes of max_45cal, the one that can be edited.
void CreatorDialog::focusField(const std::string &key, int item)
{
    QWidget *box = nullptr;
    for (const KeyBox &known : keyBoxes) {
        if (known.key == key)
            box = control(known.id);
    }
    const auto findIn = [&](const auto &fields) {
        for (const auto &field : fields) {
            if (field.key == key && control(field.id)->isEnabled())
                box = control(field.id);
        }
    };
    findIn(intFields);
    findIn(floatFields);
    if (key == "inventory" && item >= 0) {
        control<QComboBox>(ControlId::ItemList)->setCurrentIndex(item);
        editing.pickItem();
        box = control(ControlId::Amount);
    }
    if (!box)
        return;
    box->setFocus(Qt::OtherFocusReason);
    // At once, while the Problems window still has the focus.
    findChild<TemplateForm *>()->scrollIntoView(box);
}

// The versions by the local time they were kept.
std::optional<std::size_t> CreatorDialog::chooseVersion(const std::string &fileName,
                                                        const std::vector<KeptVersion> &versions)
{
    QStringList times, differences;
    for (const KeptVersion &version : versions) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(version.kept.time_since_epoch());
        times << QDateTime::fromSecsSinceEpoch(seconds.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        differences << QString::fromStdString(version.differences);
    }
    VersionDialog chooser(QString::fromStdString(fileName), times, differences, this);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenVersion() < 0)
        return std::nullopt;
    return std::size_t(chooser.chosenVersion());
}
