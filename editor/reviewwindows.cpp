#include "reviewwindows.h"

#include "creatordialog.h"
#include "focusreturn.h"
#include "panedock.h"
#include "problemswindow.h"
#include "reviewdialog.h"

#include <QApplication>
#include <QTimer>

namespace {

void showIn(ProblemsWindow &window, const std::vector<tolvane::ReviewCommands::ListedProblem> &problems)
{
    QStringList lines, tooltips;
    for (const tolvane::ReviewCommands::ListedProblem &problem : problems) {
        lines.append(QString::fromStdString(problem.text));
        tooltips.append(QString::fromStdString(problem.byKeys));
    }
    window.showProblems(lines, tooltips);
}

} // namespace

ReviewWindows::ReviewWindows(CreatorDialog &dialog, tolvane::ReviewCommands &review) : dialog(dialog), review(review)
{
    // Never under a question, which may be about the very classes; the
    // editor window itself is none, even where it runs modally.
    auto *rulesTimer = new QTimer(&dialog);
    rulesTimer->setInterval(rulesCheckMs);
    QObject::connect(rulesTimer, &QTimer::timeout, &dialog, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if ((!modal || modal == &this->dialog) && this->review.followRulesFile())
            refreshProblems();
    });
    rulesTimer->start();
}

PaneDock *ReviewWindows::problemsPane()
{
    if (problemsDock)
        return problemsDock;
    problemsDock = dialog.addPane(new PaneDock(
        QObject::tr("Problems"), CreatorDialog::problemsPane,
        [this](QWidget *parent) {
            auto *problems = new ProblemsWindow(parent);
            QObject::connect(problems, &ProblemsWindow::problemChosen, &this->dialog, [this, problems](int index) {
                this->review.goToProblem(std::size_t(index));
                this->dialog.refreshViews();
                if (QWidget *box = this->dialog.focusWidget())
                    problems->keepClearOf(QRect(box->mapToGlobal(QPoint()), box->size()));
                this->dialog.activateWindow();
            });
            return problems;
        },
        &dialog));
    return problemsDock;
}

void ReviewWindows::openProblems()
{
    auto *problemsWindow = static_cast<ProblemsWindow *>(problemsPane()->content());
    const bool placed = problemsDock->isVisible();
    returnFocusOnClose(problemsDock);
    showIn(*problemsWindow, review.problems());
    dialog.showPane(problemsDock);
    if (!placed && problemsDock->isFloating())
        problemsWindow->placeBeside(dialog.frameGeometry());
    problemsWindow->setFocus(Qt::OtherFocusReason);
}

void ReviewWindows::refreshProblems()
{
    if (ProblemsWindow *problemsWindow = problems(); problemsWindow && problemsDock->isVisible())
        showIn(*problemsWindow, review.problems());
}

void ReviewWindows::openReview()
{
    const FocusReturn back;
    ReviewDialog changes(
        QString::fromStdString(review.reviewChanges()),
        [this] { return QString::fromStdString(review.fileDifferences()); }, ownerWhereTheUserIs(&dialog));
    changes.exec();
}

ProblemsWindow *ReviewWindows::problems() const
{
    return problemsDock ? static_cast<ProblemsWindow *>(problemsDock->madeContent()) : nullptr;
}
