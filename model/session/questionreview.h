#pragma once

#include "questions.h"

#include <optional>
#include <string>
#include <utility>

namespace tolvane {

// What Review Changes shows while a question about writing is open: what
// each answer would do, in place of what Write Out would do now.
class QuestionReview
{
public:
    struct Review
    {
        std::string changes;
        std::string fileDifferences;
    };

    Questions::Answer ask(Questions &questions, const Questions::Question &question, Review review)
    {
        open = std::move(review);
        const Questions::Answer answer = questions.ask(question);
        open.reset();
        return answer;
    }
    // The review of the question open now; null when none is.
    const Review *shown() const { return open ? &*open : nullptr; }

private:
    std::optional<Review> open;
};

// The user's data folder, where backups and the recovery file go, and the
// one message a session gives when it cannot take them.
struct DataFolder
{
    std::filesystem::path path;
    bool warned = false;

    void warn(Questions &questions, const std::string &what)
    {
        if (std::exchange(warned, true))
            return;
        questions.tell({Questions::Icon::Warning, "Data Folder",
                        what + "\n\nThis is told once a session; the game folder is never used for these copies."});
    }
};

} // namespace tolvane
