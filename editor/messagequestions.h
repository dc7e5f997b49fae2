#pragma once

#include "model/session/questions.h"

#include <functional>

class QWidget;

// The session's questions as message boxes over the window, and the file
// and folder choosers of the platform. A question about writing offers
// "Review Changes...", which opens the review and asks again.
class MessageQuestions : public tolvane::Questions
{
public:
    MessageQuestions(QWidget *window, std::function<void()> openReview)
        : window(window), openReview(std::move(openReview))
    {
    }

    Answer ask(const Question &question) override;
    void tell(const Notice &notice) override;
    std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &start,
                                                      const std::string &title) override;
    std::optional<std::filesystem::path> chooseFile(const FileChoice &choice) override;

private:
    QWidget *window;
    std::function<void()> openReview;
};
