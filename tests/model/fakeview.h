#pragma once

// The form and the questions of a window for the editing session: it
// records what it was shown and answers questions from a queue; a question with no answer left, or one
// asked with other buttons or another default than its kind has, fails.

#include "model/session/formview.h"
#include "model/session/questions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

class FakeView : public tolvane::FormView, public tolvane::Questions
{
public:
    // Answers by letter: y(es) n(o) w(rite out) d(iscard) c(ancel) m(erge)
    // r(eplace) f (reload from file) k(eep the file's values) t(ake this
    // session's) v (restore: recover) h (keep the classes the disk removed:
    // hold them) x (remove them here too).
    void answer(std::string_view letters)
    {
        for (char letter : letters)
            answers.push_back(letter);
    }
    std::size_t unanswered() const { return answers.size(); }

    tolvane::FormValues boxes;
    std::string status, title, teamText;
    bool unsavedMark = false;
    // A letter for each question asked, by its text: E(xists, not loaded),
    // C(hanged on disk), P(rotected: read-only), U(nsaved changes), T(eam),
    // R(estart), X (delete a class), S(ymbolic link), B(locks after the 64th),
    // K (which side of values changed on both), O(ther team's file),
    // V (restore the classes of an earlier run), H (change classes the filter
    // hides), F (the first class file of a folder), N(ew classes from a sheet),
    // D (classes deleted on disk that memory still holds), G (a folder of the
    // program's own, and the copy of the samples).
    std::string asked;
    std::string question;               // the text of the last one
    std::vector<std::string> questions; // the texts of all, in turn
    // What another program does while the next question is open.
    std::function<void()> whileAsking;
    // What Review Changes showed while the last question was open.
    std::function<std::string()> review;
    std::string reviewed;
    std::vector<Notice> told;
    std::string focused; // "speed", "inventory 36"

    // How often the session read the form: once a command at most.
    mutable int formReads = 0;

    void showForm(const tolvane::FormValues &form) override { boxes = form; }
    tolvane::FormValues form() const override
    {
        ++formReads;
        return boxes;
    }
    void showPosition(int, int, int) override {}
    void setStatus(const std::string &text) override { status = text; }
    void setTitle(const std::string &text) override { title = text; }
    void setUnsavedMark(bool unsaved) override { unsavedMark = unsaved; }
    void setTeamText(const std::string &text) override { teamText = text; }
    std::string place;
    void showPlace(const std::string &text) override { place = text; }
    void showFolders(const std::filesystem::path &, const std::vector<std::filesystem::path> &) override {}
    void tell(const Notice &notice) override { told.push_back(notice); }
    // The folders the choosers give, in turn (an empty one, or none left:
    // Cancel), and their titles and the folders they opened in.
    std::deque<std::filesystem::path> chosenFolders;
    std::vector<std::string> choosers;
    std::vector<std::filesystem::path> chooserStarts;
    std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &start,
                                                      const std::string &title) override
    {
        choosers.push_back(title);
        chooserStarts.push_back(start);
        if (chosenFolders.empty())
            return std::nullopt;
        std::filesystem::path chosen = std::move(chosenFolders.front());
        chosenFolders.pop_front();
        if (chosen.empty())
            return std::nullopt;
        return chosen;
    }
    void focusField(const std::string &key, int item) override
    {
        focused = item < 0 ? key : key + ' ' + std::to_string(item);
    }

    ClassCommands classCommands;
    void showClassCommands(const ClassCommands &commands) override { classCommands = commands; }

    // The files the file dialogs pick, in turn; none left cancels. What they
    // were asked for.
    std::deque<std::filesystem::path> pickedFiles;
    std::vector<FileChoice> fileChoices;
    std::optional<std::filesystem::path> chooseFile(const FileChoice &choice) override
    {
        fileChoices.push_back(choice);
        if (pickedFiles.empty())
            return std::nullopt;
        std::filesystem::path picked = std::move(pickedFiles.front());
        pickedFiles.pop_front();
        return picked;
    }
    Answer ask(const Question &question) override
    {
        // A letter, words of its text, its buttons, its default, and whether it
        // offers Review Changes.
        using Kind = std::tuple<char, std::string_view, Choices, Answer, bool>;
        static constexpr Kind kinds[] = {
            {'E', "already exists", Choices::YesNo, Answer::No, true},
            {'K', "Keep the file's values, or take", Choices::KeepFileTakeMineCancel, Answer::KeepFile, true},
            {'C', "changed on disk", Choices::MergeReplaceReloadCancel, Answer::Merge, true},
            {'D', "are still in memory:", Choices::KeepRemoveCancel, Answer::KeepClasses, true},
            {'O', "and the classes in memory are the", Choices::YesNo, Answer::No, true},
            {'V', "that were not written out", Choices::RestoreDiscard, Answer::Restore, true},
            {'P', "is read-only", Choices::YesNo, Answer::No, false},
            {'U', "Write out the changes", Choices::WriteOutDiscardCancel, Answer::Cancel, true},
            {'T', "CONFIG file will be readen", Choices::YesNo, Answer::Yes, false},
            {'R', "restarting this Programm", Choices::YesNo, Answer::Yes, false},
            {'X', "Delete Class", Choices::YesNo, Answer::No, false},
            {'S', "is a symbolic link to the file", Choices::YesNo, Answer::No, false},
            {'B', "blocks after the 64th", Choices::YesNo, Answer::No, false},
            {'H', "hidden by the filter", Choices::YesNo, Answer::No, false},
            {'F', "holds no class file", Choices::YesNo, Answer::No, true},
            {'N', "not among the classes in memory", Choices::YesNo, Answer::No, false},
            {'Q', "values into", Choices::YesNo, Answer::No, false},
            {'G', "so it is no game folder", Choices::YesNo, Answer::Yes, false},
        };
        const auto kind = std::ranges::find_if(
            kinds, [&](const Kind &k) { return question.text.find(std::get<1>(k)) != std::string::npos; });
        if (kind == std::end(kinds)) {
            ADD_FAILURE() << "unknown question " << question.text;
            return Answer::Cancel;
        }
        const auto &[letter, words, choices, byDefault, aboutWriting] = *kind;
        asked += letter;
        this->question = question.text;
        questions.push_back(question.text);
        if (whileAsking)
            std::exchange(whileAsking, nullptr)();
        if (review) {
            // Review Changes is a command of its own window: its reads are not the command's.
            const int reads = formReads;
            reviewed = review();
            formReads = reads;
        }
        EXPECT_EQ(question.choices, choices) << question.text;
        EXPECT_EQ(question.byDefault, byDefault) << question.text;
        EXPECT_EQ(question.aboutWriting, aboutWriting) << question.text;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question " << question.text;
            return question.byDefault;
        }
        const char answer = answers.front();
        answers.pop_front();
        return Answer(std::string_view("ynwdcmrfktvhx").find(answer)); // in the order of Answer
    }

private:
    std::deque<char> answers;
};
