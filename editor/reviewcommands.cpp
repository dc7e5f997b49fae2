#include "creatordialog.h"

#include "chartwindow.h"
#include "model/session/formbindings.h"
#include "problemswindow.h"
#include "reviewdialog.h"
#include "templateform.h"
#include "versiondialog.h"

#include <QComboBox>
#include <QDateTime>

using namespace tolvane;

namespace {

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
    ReviewDialog review(
        QString::fromStdString(editing.reviewChanges()),
        [this] { return QString::fromStdString(editing.fileDifferences()); }, this);
    review.exec();
}

bool CreatorDialog::confirmImport(const std::string &sheetName, const std::string &review)
{
    ReviewDialog changes(QString::fromStdString(review), {}, this);
    changes.offerImport(QString::fromStdString(sheetName));
    return changes.exec() == QDialog::Accepted;
}

// The first box of key that can be edited: of the two boxes of max_45cal,
// "Pistol Mag"; of the abilities, the first one. An inventory amount shows its
// item and puts the focus in the Amount box; other inventory problems go to the
// item list.
void CreatorDialog::focusField(const std::string &key, int item)
{
    QWidget *box = nullptr;
    for (const FormBinding &binding : formBindings) {
        if (!box && binding.key == key && control(binding.id)->isEnabled())
            box = control(binding.id);
    }
    if (key == "inventory") {
        box = control(ControlId::ItemList);
        if (item >= 0) {
            control<QComboBox>(ControlId::ItemList)->setCurrentIndex(item);
            editing.pickItem();
            box = control(ControlId::Amount);
        }
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
