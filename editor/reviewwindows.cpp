#include "reviewwindows.h"

#include "creatordialog.h"
#include "problemswindow.h"
#include "reviewdialog.h"

#include <QApplication>
#include <QTimer>

namespace {

QStringList toQt(const std::vector<std::string> &lines)
{
    QStringList list;
    for (const std::string &line : lines)
        list.append(QString::fromStdString(line));
    return list;
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
    problemsWindow->showProblems(toQt(review.problems()));
    problemsWindow->show();
    problemsWindow->raise();
    problemsWindow->activateWindow();
}

void ReviewWindows::refreshProblems()
{
    if (problemsWindow && problemsWindow->isVisible())
        problemsWindow->showProblems(toQt(review.problems()));
}

void ReviewWindows::openReview()
{
    ReviewDialog changes(
        QString::fromStdString(review.reviewChanges()),
        [this] { return QString::fromStdString(review.fileDifferences()); }, &dialog);
    changes.exec();
}

ProblemsWindow *ReviewWindows::problems() const
{
    return problemsWindow;
}
