#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tolvane {

// The questions and messages of the window, and its file and folder
// choosers, as every part of the editing session asks them. Texts are UTF-8.
class Questions
{
public:
    enum class Answer {
        Yes,
        No,
        WriteOut,
        Discard,
        Cancel,
        Merge,
        Replace,
        Reload,
        KeepFile,
        TakeMine,
        Restore,
        KeepClasses,
        RemoveClasses
    };
    enum class Choices {
        YesNo,
        WriteOutDiscardCancel,
        // The class file changed on disk since it was loaded: merge this
        // session's changes into it, replace it, reload it, or cancel.
        MergeReplaceReloadCancel,
        // Values changed on both sides: the file's, this session's, or cancel.
        KeepFileTakeMineCancel,
        // Unsaved classes of an earlier run: restore them, or discard them.
        RestoreDiscard,
        // Classes removed from the file on disk that memory still holds:
        // keep them, remove them here too, or cancel.
        KeepRemoveCancel,
    };
    struct Question
    {
        std::string text;
        Choices choices;
        Answer byDefault;
        // Whether the window offers Review Changes beside the answers: the
        // question is about writing the classes out.
        bool aboutWriting = false;
    };

    enum class Icon { None, Information, Warning };
    struct Notice
    {
        Icon icon;
        std::string title;
        std::string text;
    };

    // The file the user picks to read, or to save under. types: "Class files (*.cfg)".
    struct FileChoice
    {
        std::string title;
        std::filesystem::path start; // a folder, or a file's suggested path
        std::string types;
        bool saving = false;
    };

    virtual ~Questions() = default;

    // Modal: the answer the user gave.
    virtual Answer ask(const Question &question) = 0;
    virtual void tell(const Notice &notice) = 0;
    // The folder the user picks, starting at start, in a chooser titled
    // title; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &start,
                                                              const std::string &title) = 0;
    // Modal: nullopt when cancelled.
    virtual std::optional<std::filesystem::path> chooseFile(const FileChoice &choice) = 0;
};

} // namespace tolvane
