#pragma once

#include "formvalues.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The window as the editing session sees it. Texts are UTF-8, except the
// form's, which are the class file's Windows-1252 bytes.
class EditorView
{
public:
    enum class Answer { Yes, No, WriteOut, Discard, Cancel, Merge, Replace, Reload, KeepFile, TakeMine, Restore };
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

    virtual ~EditorView() = default;

    virtual void showForm(const FormValues &form) = 0;
    virtual FormValues form() const = 0;
    // The range of classes the form moves through, and where it is.
    virtual void showPosition(int first, int last, int current) = 0;
    virtual void setStatus(const std::string &text) = 0;
    // The title without the mark of unsaved changes, which the window adds.
    virtual void setTitle(const std::string &title) = 0;
    virtual void setUnsavedMark(bool unsaved) = 0;
    virtual void setTeamText(const std::string &text) = 0;
    // The game folder (its name when unresolved) and the recent folders.
    virtual void showFolders(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &recent) = 0;

    // Modal: the answer the user gave.
    virtual Answer ask(const Question &question) = 0;
    virtual void tell(const Notice &notice) = 0;
    virtual void showAbout() = 0;
    // The focus goes to the box of the class file key ("speed"); for
    // "inventory", to the item list, or with the slot of an item, to that
    // item's amount.
    virtual void focusField(const std::string &key, int item) = 0;
    // The folder the user picks, starting at start, in a chooser titled
    // title; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &start,
                                                              const std::string &title) = 0;

    // The commands on whole classes that can run now, and the names of the
    // steps Undo and Redo would take (empty: none).
    struct ClassCommands
    {
        bool deleteClass = false;
        bool moveUp = false;
        bool moveDown = false;
        std::string undo;
        std::string redo;
    };
    virtual void showClassCommands(const ClassCommands &commands) = 0;
    // Modal: the slot of the class the user picks from names, which are in
    // slot order; nullopt when cancelled.
    virtual std::optional<int> chooseClass(const std::vector<std::string> &names, int current) = 0;
    // Modal: the inventory of the class named className, opened at the
    // catalogue item pickedItem. amounts reads the class's amounts, and
    // setAmount changes one at once.
    struct Inventory
    {
        std::string className;
        int pickedItem = 0;
        std::function<std::array<std::int32_t, inventorySlotCount>()> amounts;
        std::function<void(int itemSlot, std::int32_t amount)> setAmount;
    };
    virtual void showInventory(const Inventory &inventory) = 0;
    // Modal: the earlier version of the class file fileName the user picks to
    // restore, each listed by when it was kept with what restoring it would
    // change; nullopt when cancelled.
    struct KeptVersion
    {
        std::chrono::system_clock::time_point kept;
        std::string differences;
    };
    virtual std::optional<std::size_t> chooseVersion(const std::string &fileName,
                                                     const std::vector<KeptVersion> &versions) = 0;
    // The class table follows the classes, the filter, the order and the
    // selection; status counts its rows ("12 of 40 classes").
    virtual void showClassTable(const std::string &status) = 0;
};
