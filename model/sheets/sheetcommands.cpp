#include "sheetcommands.h"

#include "model/session/writeflow.h"

#include "model/review/changereview.h"
#include "classdata/sheets/classexport.h"
#include "classdata/format/classfilereader.h"
#include "classdata/sheets/classimport.h"

#include <algorithm>

namespace tolvane {

// Export and import of the classes as a sheet for spreadsheets and scripts.
// Messages and the status line are UTF-8 here.

namespace {

// Enough lines of problems for a message box; the rest are counted.
constexpr std::size_t problemsShown = 10;

std::string problemLines(const std::vector<ImportProblem> &problems)
{
    std::string lines;
    for (std::size_t i = 0; i < std::min(problems.size(), problemsShown); ++i)
        lines += problems[i].message + '\n';
    if (problems.size() > problemsShown)
        lines += "and " + std::to_string(problems.size() - problemsShown) + " more\n";
    return lines;
}

// New classes come from a sheet only when the user says so; No is the default.
bool confirmNewClasses(Questions &questions, const std::vector<ImportProblem> &problems)
{
    return questions.ask({"The sheet names classes that are not among the classes in memory:\n" + problemLines(problems)
                              + "\nAdd them as new classes?",
                          Questions::Choices::YesNo, Questions::Answer::No})
           == Questions::Answer::Yes;
}

// The sheets the file dialogs offer; any other name is read as its text shows.
constexpr const char *sheetTypes = "Sheets (*.csv *.tsv *.tab *.json);;All files (*)";

std::string counted(std::size_t count, const char *one, const char *many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

} // namespace

// The sheet last picked in this run, else one named after the active class
// file in the game folder.
std::filesystem::path SheetCommands::sheetToSuggest() const
{
    if (!lastSheet.empty())
        return lastSheet;
    return activeClassFile(session).replace_extension(".csv");
}

void SheetCommands::exportClasses()
{
    const std::optional<std::filesystem::path> path = session.questions().chooseFile(
        {"Export Classes", sheetToSuggest(), sheetTypes, true});
    if (!path)
        return;
    lastSheet = *path;
    const FormValues form = session.formView().form();
    const std::vector<ClassRecord> classes = session.document().classesWith(&form);
    const SheetFormat format = sheetFormatOfName(*path).value_or(SheetFormat::Csv);
    SaveError error;
    if (!saveFileAtomically(*path, classesAsSheet(classes, format), &error)) {
        warnNotWritten(session.questions(), *path, error);
        return;
    }
    session.formView().setStatus(counted(classes.size(), "class", "classes") + " exported to "
                                 + displayText(path->filename()));
}

// A sheet that cannot be read as a whole changes nothing: every problem is
// told, up to a message box's worth, by row, column and reason.
void SheetCommands::importClasses()
{
    const std::optional<std::filesystem::path> path = session.questions().chooseFile(
        {"Import Classes", sheetToSuggest(), sheetTypes});
    if (!path)
        return;
    lastSheet = *path;
    const std::string shown = displayText(*path);
    const std::string name = displayText(path->filename());
    const FileBytes sheet = readWholeFile(*path);
    if (sheet.status != FileStatus::Read) {
        const std::string why = sheet.status == FileStatus::Missing ? "it does not exist" : sheet.error;
        session.questions().tell({Questions::Icon::Warning, "Import Classes",
                                  shown + " could not be read:\n" + why + "\n\nThe classes in memory are unchanged."});
        return;
    }
    // The form's edits are the class it shows, as for every command.
    FormValues form = session.formView().form();
    session.store(form);
    session.refreshIndicators(form);
    const std::vector<ClassRecord> before = session.document().classesWith(nullptr);
    // A row's file that names a folder is this class file only in its folder, from the sheet's.
    const std::filesystem::path classFile = classFileOf(session, session.formDocument());
    ImportOptions options{
        .format = sheetFormatOfName(*path),
        .addNew = false,
        .fileName = std::string(classFileName(session.document().state().sealsActive)),
        .isFile = [&](std::string_view file) { return namesFile(file, path->parent_path(), classFile); },
    };
    ImportResult result = classesFromSheet(before, sheet.bytes, options);
    const bool unknownOnly = std::ranges::all_of(result.problems, [](const ImportProblem &problem) {
        return problem.kind == ImportProblem::Kind::UnknownClass;
    });
    if (!result.problems.empty() && unknownOnly) {
        if (!confirmNewClasses(session.questions(), result.problems)) {
            session.formView().setStatus("Nothing imported from " + name);
            return;
        }
        options.addNew = true;
        result = classesFromSheet(before, sheet.bytes, options);
    }
    if (!result.problems.empty()) {
        session.questions().tell({Questions::Icon::Warning, "Import Classes",
                                  shown + " cannot be imported:\n" + problemLines(result.problems)
                                      + "\nThe classes in memory are unchanged."});
        return;
    }
    const std::vector<std::string> lines = classChanges(before, result.classes, result.origins);
    if (lines.empty()) {
        session.formView().setStatus(name + " changes no class");
        return;
    }
    std::string review;
    for (const std::string &line : lines)
        review += utf8Of(line) + '\n';
    if (!view.confirmImport(name, review)) {
        session.formView().setStatus("Nothing imported from " + name);
        return;
    }
    session.history().add(
        replaceClasses(session.document().classes(), "Import Classes", result.classes, result.origins));
    const auto added = std::size_t(std::ranges::count(result.origins, -1));
    std::string status = "Imported " + name + ": " + counted(lines.size() - added, "class", "classes") + " changed";
    if (added > 0)
        status += ", " + std::to_string(added) + " new";
    if (const std::string note = otherFolderNote(result); !note.empty())
        status += "; " + note;
    session.show(form, status);
}

} // namespace tolvane
