#include "messagequestions.h"

#include "focusreturn.h"
#include "nativepath.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace tolvane;

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CreatorDialog", text);
}

// The buttons of each kind of question: the answer, the button that gives it
// and its text (empty: the button's own).
struct AnswerButton
{
    Questions::Answer answer;
    QMessageBox::StandardButton button;
    const char *text = "";
};

std::vector<AnswerButton> buttonsFor(Questions::Choices choices)
{
    using A = Questions::Answer;
    using B = QMessageBox::StandardButton;
    switch (choices) {
    case Questions::Choices::YesNo:
        return {{A::Yes, B::Yes}, {A::No, B::No}};
    case Questions::Choices::WriteOutDiscardCancel:
        return {{A::WriteOut, B::Save, "&Write Out"}, {A::Discard, B::Discard, "&Discard"}, {A::Cancel, B::Cancel}};
    case Questions::Choices::MergeReplaceReloadCancel:
        return {{A::Merge, B::Save, "&Merge"},
                {A::Replace, B::Discard, "Re&place"},
                {A::Reload, B::Reset, "Re&load from Disk"},
                {A::Cancel, B::Cancel}};
    case Questions::Choices::KeepFileTakeMineCancel:
        return {{A::KeepFile, B::Save, "&Keep the File's Values"},
                {A::TakeMine, B::Discard, "&Take This Session's Values"},
                {A::Cancel, B::Cancel}};
    case Questions::Choices::RestoreDiscard:
        return {{A::Restore, B::Save, "&Restore"}, {A::Discard, B::Discard, "&Discard"}};
    case Questions::Choices::KeepRemoveCancel:
        return {{A::KeepClasses, B::Save, "&Keep Them"},
                {A::RemoveClasses, B::Discard, "Re&move Them"},
                {A::Cancel, B::Cancel}};
    }
    return {};
}

} // namespace

// Questions with more than two answers are warnings; Esc gives the safe
// answer: Cancel, or for a restore, Restore.
Questions::Answer MessageQuestions::ask(const Question &question)
{
    const std::vector<AnswerButton> buttons = buttonsFor(question.choices);
    const FocusReturn back;
    QMessageBox box(buttons.size() > 2 || question.choices == Choices::RestoreDiscard ? QMessageBox::Warning
                                                                                      : QMessageBox::NoIcon,
                    QStringLiteral("Tolvane Class Creator"), QString::fromStdString(question.text), {},
                    ownerWhereTheUserIs(window));
    for (const AnswerButton &answer : buttons) {
        box.addButton(answer.button);
        if (*answer.text)
            box.button(answer.button)->setText(tr(answer.text));
        if (answer.answer == question.byDefault)
            box.setDefaultButton(answer.button);
    }
    const Answer onEscape = question.choices == Choices::RestoreDiscard ? Answer::Restore
                            : question.choices == Choices::YesNo        ? Answer::No
                                                                        : Answer::Cancel;
    if (question.choices != Choices::YesNo) {
        for (const AnswerButton &answer : buttons) {
            if (answer.answer == onEscape)
                box.setEscapeButton(answer.button);
        }
    }
    QPushButton *review = question.aboutWriting ? box.addButton(tr("&Review Changes..."), QMessageBox::ActionRole)
                                                : nullptr;
    // Review Changes opens the review over the window; the question comes back.
    int clicked;
    while (clicked = box.exec(), review && box.clickedButton() == review)
        openReview();
    for (const AnswerButton &answer : buttons) {
        if (clicked == answer.button)
            return answer.answer;
    }
    return onEscape;
}

void MessageQuestions::tell(const Notice &notice)
{
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning};
    const FocusReturn back;
    QMessageBox box(icons[int(notice.icon)], QString::fromStdString(notice.title), QString::fromStdString(notice.text),
                    QMessageBox::Ok, ownerWhereTheUserIs(window));
    box.exec();
}

std::optional<std::filesystem::path> MessageQuestions::chooseFolder(const std::filesystem::path &start,
                                                                    const std::string &title)
{
    const QString chosen = QFileDialog::getExistingDirectory(window, QString::fromStdString(title), displayPath(start));
    if (chosen.isEmpty())
        return std::nullopt;
    return pathFromQt(chosen);
}

std::optional<std::filesystem::path> MessageQuestions::chooseFile(const FileChoice &choice)
{
    const QString title = QString::fromStdString(choice.title), start = displayPath(choice.start),
                  types = QString::fromStdString(choice.types);
    const QString chosen = choice.saving ? QFileDialog::getSaveFileName(window, title, start, types)
                                         : QFileDialog::getOpenFileName(window, title, start, types);
    if (chosen.isEmpty())
        return std::nullopt;
    return pathFromQt(chosen);
}
