#pragma once

#include "formvalues.h"
#include "model/compare/teamviews.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

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
    // The active team and the game folder, always in view: "Seals · /path".
    virtual void showPlace(const std::string &text) = 0;
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
    // Modal: Review Changes of what importing sheetName would change, a
    // line per class; true when the user imports them.
    virtual bool confirmImport(const std::string &sheetName, const std::string &review) = 0;

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

    // Modal: the file the user picks to read, or to save under; nullopt when
    // cancelled. types: "Class files (*.cfg)".
    struct FileChoice
    {
        std::string title;
        std::filesystem::path start; // a folder, or a file's suggested path
        std::string types;
        bool saving = false;
    };
    virtual std::optional<std::filesystem::path> chooseFile(const FileChoice &choice) = 0;

    // Modal: two classes of either team side by side, any two of classes
    // (labelled as lists show them), left and right picked at first. rows
    // sets two of them side by side; note says why the other team's classes
    // are missing, if they are.
    struct TwoClasses
    {
        std::vector<std::string> classes;
        int left = 0;
        int right = 0;
        std::string note;
        std::function<std::vector<ComparisonRow>(int left, int right)> rows;
    };
    virtual void showTwoClasses(const TwoClasses &classes) = 0;

    // Modal: the classes in memory against a baseline file, as patch notes;
    // save asks where and saves them as Markdown or as plain text.
    struct BaselineView
    {
        std::string heading; // what was compared, and the count of differences
        std::string note;    // classes matched in order for their shared names
        std::string text;
        std::string markdown;
        std::function<void(bool markdown)> save;
    };
    virtual void showBaseline(const BaselineView &baseline) = 0;

    // The chart window: one numeric value (of values) across the classes of
    // both teams. chart draws the value of that index as the classes stand
    // now, and the window asks again after each command; save asks where and
    // saves the picture of the value of that index (PNG bytes).
    struct ChartView
    {
        std::vector<std::string> values;
        int chosen = 0;
        std::function<BarChart(int value)> chart;
        std::function<void(const std::string &png, int value)> save;
    };
    virtual void showChart(const ChartView &chart) = 0;
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

} // namespace tolvane
