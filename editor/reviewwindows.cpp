#include "reviewwindows.h"

#include "creatordialog.h"
#include "focusreturn.h"
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

void ReviewWindows::openProblems()
{
    if (!problemsWindow) {
        problemsWindow = new ProblemsWindow(&dialog);
        QObject::connect(problemsWindow, &ProblemsWindow::problemChosen, &dialog, [this](int index) {
            review.goToProblem(std::size_t(index));
            dialog.refreshViews();
            if (QWidget *box = dialog.focusWidget())
                problemsWindow->keepClearOf(QRect(box->mapToGlobal(QPoint()), box->size()));
            dialog.activateWindow();
        });
        problemsWindow->placeBeside(dialog.frameGeometry());
    }
    showIn(*problemsWindow, review.problems());
    problemsWindow->show();
    problemsWindow->raise();
    problemsWindow->activateWindow();
}

void ReviewWindows::refreshProblems()
{
    if (problemsWindow && problemsWindow->isVisible())
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
    return problemsWindow;
}
