#pragma once

#include "questionreview.h"
#include "questions.h"
#include "teamdocument.h"

#include "classdata/files/gamefolder.h"
#include "classdata/files/safesave.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace tolvane {

// Write Out of a document's classes into a class file: every question about
// the file (a symbolic link, read-only, changed on disk, not loaded, the
// other team's, the first class file of a folder, blocks after the 64th),
// the merge with changes made on disk, the backup of what it replaces, and
// the safe save; then the document learns what was written. The questions
// are asked again when the file changed while one was open.
class WriteFlow
{
public:
    struct Context
    {
        Questions &questions;
        QuestionReview &review;
        DataFolder &dataFolder;
        const GameFolder &gameFolder;
    };
    WriteFlow(TeamDocument &document, Context context);

    enum class Outcome {
        Written,
        NotWritten, // cancelled, refused or failed, and told
        Reload,     // the user chose to read the file again in place of writing it
    };
    Outcome write(const std::filesystem::path &path);

    // After a write: the step that made the classes in memory the merged
    // ones (nullopt without a merge), whether the file gave classes beyond
    // them, and the status line's text.
    std::optional<TableEdit> takeMergeStep() { return std::exchange(step, std::nullopt); }
    bool moreRead() const { return more > 0; }
    std::string status() const;

private:
    struct Plan
    {
        std::string bytes;
        std::optional<ClassFileMerge> merge = {}; // the classes in memory become the merged ones
        bool anew = false;                        // the file was deleted since this run read or wrote it
    };
    std::optional<Plan> planWrite(const std::filesystem::path &path, const FileBytes &old,
                                  std::span<const ClassRecord> classes, bool changedWhileAsked);
    std::optional<Plan> planMerge(const std::filesystem::path &path, const FileBytes &old,
                                  std::span<const ClassRecord> classes);
    bool confirmLink(const std::filesystem::path &path, std::filesystem::path &target);
    bool confirmReadOnly(const std::filesystem::path &path);
    bool confirmFirstClassFile(const std::filesystem::path &path);
    bool confirmUnreadBlocks(const std::filesystem::path &path, int count, int read);
    bool settleConflicts(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes,
                         const std::string &conflicts, ClassFileMerge &merge);
    bool settleRemovals(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes,
                        ClassFileMerge &merge);
    void keepBackup(const std::filesystem::path &path, const FileBytes &old, std::string_view bytes);
    void keepKnownVersion(const std::filesystem::path &path, const FileBytes &old);
    void keepVersion(const std::filesystem::path &path, std::string_view bytes);
    void learnWritten(const std::filesystem::path &path, const ClassTable &written);

    TeamDocument &document;
    Context context;
    std::optional<Plan> plan;
    std::optional<TableEdit> step;
    bool reloadWanted = false;
    std::filesystem::path writtenPath;
    int count = 0;
    int more = 0;
};

// The message of a file that could not be written, and what became of it.
void warnNotWritten(Questions &questions, const std::filesystem::path &path, const SaveError &error);

} // namespace tolvane
