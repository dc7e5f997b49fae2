#include "checkreport.h"
#include "classdata/checks/classchecks.h"
#include "classdata/format/findingcodes.h"
#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "model/rules/rulecheck.h"
#include "model/table/tablecolumns.h"
#include "platform.h"
#include "tool.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>

using namespace tolvane;

// check: what the game will change or ignore in class files, the slips the
// class checks find, and the rules of the game folder's rules file that the
// classes break. Files that are no class files are skipped, unless named as
// class files (tvclass_*.cfg).

namespace {

// The rules of one folder, and its teams' classes for the rules of both
// teams.
struct FolderRules
{
    std::string rulesName;        // as shown
    std::optional<RuleSet> rules; // nullopt: no rules file, or one that cannot be read
    std::string classFilePrefix;  // the folder as the names of its class files give it
    std::array<std::optional<std::vector<ClassRecord>>, 2> teams{};
};

// Findings gathered to be told in line order.
class ClassFindings final : public ReadObserver
{
public:
    void found(const ReadFinding &finding) override { add(finding, std::string(finding.text)); }
    void add(const ReadFinding &finding, std::string text) { findings.push_back({finding, std::move(text)}); }
    void tell(ReadObserver &observer)
    {
        std::ranges::stable_sort(findings, {}, [](const Found &f) { return f.finding.line; });
        for (Found &each : findings) {
            each.finding.text = each.text;
            observer.found(each.finding);
        }
    }

private:
    struct Found
    {
        ReadFinding finding;
        std::string text;
    };
    std::vector<Found> findings;
};

class Checker
{
public:
    Checker(CheckReport &report, std::vector<bool> shown, std::optional<std::string> rulesFile)
        : report(report), shown(std::move(shown)), rulesFile(std::move(rulesFile))
    {
    }

    int checkFile(const std::string &name);
    // The rules of both teams, for each folder that has any.
    int checkTeams();

private:
    FolderRules &rulesOf(const std::string &name);
    // The rules file name gives (given: on the command line, where it must
    // exist); nullopt, told, when it cannot be read, or for no file.
    std::optional<RuleSet> readRulesFile(const std::string &name, bool given);
    void checkClassesOf(const std::string &name, std::string_view bytes, ClassFileKind kind, FolderRules &folder);
    // Shows the codes chosen on the command line that the folder's rules file does not leave out.
    void showCodesOf(const FolderRules &folder);

    CheckReport &report;
    std::vector<bool> shown; // by code, as findingCodes() lists them
    std::optional<std::string> rulesFile;
    std::optional<std::optional<RuleSet>> givenRules;
    std::map<std::filesystem::path, FolderRules> folders;
    int status = clean;
};

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// The folder part of a file name as given, "" for none: "game/" of "game/tvcc.cfg".
std::string folderPart(const std::string &name)
{
    std::size_t end = name.size();
    while (end > 0 && !isSeparator(name[end - 1]))
        --end;
    return name.substr(0, end);
}

// Which team's class file name is by its name; nullopt for another name.
std::optional<Team> teamOfName(const std::string &name)
{
    const std::string file = name.substr(folderPart(name).size());
    for (const Team team : {Team::Seals, Team::Tangos}) {
        if (equalsIgnoreCase(file, classFileName(sealsFlag(team))))
            return team;
    }
    return std::nullopt;
}

// Whether name says it is a class file: tvclass_*.cfg, in any case.
bool namedAsClassFile(const std::string &name)
{
    const std::string file = name.substr(folderPart(name).size());
    return file.size() >= 12 && equalsIgnoreCase(std::string_view(file).substr(0, 8), "tvclass_")
           && equalsIgnoreCase(std::string_view(file).substr(file.size() - 4), ".cfg");
}

// The line of a class a broken rule is about: that of its first value.
int lineOfRule(const BrokenRule &broken, const ClassLines &lines)
{
    const ClassValue &value = tableColumns()[std::size_t(broken.columns.front())].value;
    return value.kind == ClassValue::Kind::Item ? lines.lineOfItem(value.slot) : lines.lineOf(*value.field);
}

FolderRules &Checker::rulesOf(const std::string &name)
{
    const std::filesystem::path file = name == "-" ? std::filesystem::path("x") : pathFromArgument(name);
    std::error_code error;
    const std::filesystem::path key = std::filesystem::absolute(file, error).parent_path().lexically_normal();
    const auto [at, added] = folders.try_emplace(key);
    FolderRules &folder = at->second;
    if (!added)
        return folder;
    folder.classFilePrefix = name == "-" ? std::string() : folderPart(name);
    if (rulesFile) {
        // One file for every folder, read once.
        if (!givenRules)
            givenRules = readRulesFile(*rulesFile, true);
        folder.rulesName = *rulesFile;
        folder.rules = *givenRules;
    } else {
        folder.rulesName = folder.classFilePrefix + std::string(rulesFileName);
        folder.rules = readRulesFile(folder.rulesName, false);
    }
    return folder;
}

std::optional<RuleSet> Checker::readRulesFile(const std::string &name, bool given)
{
    FileBytes bytes;
    if (given && !readInput(name, bytes)) {
        status = failure;
        return std::nullopt;
    }
    if (!given) {
        bytes = readWholeFile(pathFromArgument(name));
        if (bytes.status == FileStatus::Missing)
            return std::nullopt;
        if (bytes.status == FileStatus::Unreadable) {
            complain(readableFileName(name) + ": " + bytes.error + "; no rule is checked");
            status = failure;
            return std::nullopt;
        }
    }
    RuleSet rules = readRules(bytes.bytes);
    if (rules.errors.empty())
        return rules;
    const std::string shownName = readableFileName(name);
    for (const RulesError &error : rules.errors)
        complain(shownName + ':' + std::to_string(error.line) + ':' + std::to_string(error.column) + ": "
                 + error.message);
    const std::string more = rules.errorsLeftOut == 0 ? std::string()
                                                      : " (and " + std::to_string(rules.errorsLeftOut) + " more)";
    complain(shownName + " cannot be read" + more + ", so none of its rules is checked");
    status = failure;
    return std::nullopt;
}

void Checker::showCodesOf(const FolderRules &folder)
{
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const FindingCode &code = findingCodes()[i];
        report.setShown(code.kind, shown[i] && !(folder.rules && folder.rules->ignores(code.code)));
    }
}

int Checker::checkFile(const std::string &name)
{
    FileBytes file;
    if (!readInput(name, file))
        return status = failure;
    const ClassFileKind kind = kindOf(name, file.bytes);
    if (kind != ClassFileKind::ClassFile && name != "-" && !namedAsClassFile(name)) {
        complain(readableFileName(name) + " skipped: it " + std::string(whyNotAClassFile(kind)));
        return status;
    }
    FolderRules &folder = rulesOf(name);
    showCodesOf(folder);
    report.beginFile(name, file.bytes);
    // A file that is no class file at all is not read as one: its findings
    // would be noise. One without a block reads as the default class, which
    // the reader reports.
    if (kind == ClassFileKind::SettingsFile || kind == ClassFileKind::NoKnownKey)
        report.found({.kind = findingOf(kind), .line = 1});
    else
        checkClassesOf(name, file.bytes, kind, folder);
    if (report.fileHasFindings())
        status = std::max(status, int(findings));
    return status;
}

void Checker::checkClassesOf(const std::string &name, std::string_view bytes, ClassFileKind kind, FolderRules &folder)
{
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes, &report);
    // A file without a class block holds only the default class, not the modder's.
    if (kind != ClassFileKind::ClassFile)
        return;
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    const std::vector<ClassLines> lines = classLinesOf(bytes);
    // The slips and the broken rules, in line order, after the reader's findings.
    ClassFindings found;
    checkClasses(classes, found, lines);
    const std::optional<Team> team = name == "-" ? std::nullopt : teamOfName(name);
    if (folder.rules) {
        const std::string rulesName = readableFileName(folder.rulesName);
        for (const BrokenRule &broken : brokenClassRules(*folder.rules, classes, team))
            found.add({.kind = broken.kind,
                       .line = lineOfRule(broken, lines[std::size_t(broken.classIndex)]),
                       .block = broken.classIndex},
                      broken.messageWithPlace(rulesName));
    }
    found.tell(report);
    if (team)
        folder.teams[std::size_t(*team)].emplace(classes.begin(), classes.end());
}

int Checker::checkTeams()
{
    for (auto &[path, folder] : folders) {
        if (!folder.rules || !hasTeamRules(*folder.rules))
            continue;
        // A team's class file that was not checked is read from the folder.
        std::string missing;
        for (const Team team : {Team::Seals, Team::Tangos}) {
            std::optional<std::vector<ClassRecord>> &classes = folder.teams[std::size_t(team)];
            const std::string name = folder.classFilePrefix + std::string(classFileName(sealsFlag(team)));
            if (classes)
                continue;
            const ClassesOnDisk read = readClassesOnDisk(pathFromArgument(name),
                                                         "the " + std::string(teamName(team)) + "' class file");
            if (read.problem.empty())
                classes = read.classes;
            else
                missing = read.problem;
        }
        if (!missing.empty()) {
            complain(readableFileName(folder.rulesName) + ": the rules of [balance] are not checked: " + missing);
            continue;
        }
        showCodesOf(folder);
        report.beginFile(folder.rulesName);
        for (const BrokenRule &broken : brokenTeamRules(*folder.rules, *folder.teams[0], *folder.teams[1]))
            report.found({.kind = broken.kind, .line = broken.line, .text = broken.message});
        if (report.fileHasFindings())
            status = std::max(status, int(findings));
    }
    return status;
}

int listCodes()
{
    for (const FindingCode &code : findingCodes())
        print(stdout,
              std::string(code.code) + "  " + std::string(code.severity) + "  " + std::string(code.explanation) + "\n");
    return clean;
}

// Marks in listed the codes in value ("TCC001,TCC003"); false, with the
// reason in error, for a code that does not exist.
bool readCodeList(std::string_view value, std::vector<bool> &listed, std::string &error)
{
    for (std::size_t start = 0;;) {
        const std::size_t comma = value.find(',', start);
        const std::string_view name = value.substr(start, comma - start);
        const FindingCode *code = findingCodeNamed(name);
        if (!code) {
            error = "no finding code \"" + readableFileName(name) + "\"; check --list-codes lists them";
            return false;
        }
        listed[std::size_t(code - findingCodes().data())] = true;
        if (comma == std::string_view::npos)
            return true;
        start = comma + 1;
    }
}

} // namespace

int checkCommand(const std::vector<std::string> &options, const std::vector<std::string> &files)
{
    bool json = false, codes = false, anySelected = false;
    std::optional<std::string> rulesFile;
    std::vector<bool> selected(findingCodes().size()), ignored(findingCodes().size());
    for (const std::string &option : options) {
        std::string error;
        if (option == "--format=json" || option == "--format=text") {
            json = option == "--format=json";
        } else if (option == "--list-codes") {
            codes = true;
        } else if (option.starts_with("--select=")) {
            anySelected = true;
            if (!readCodeList(std::string_view(option).substr(9), selected, error))
                return usageError(error);
        } else if (option.starts_with("--ignore=")) {
            if (!readCodeList(std::string_view(option).substr(9), ignored, error))
                return usageError(error);
        } else if (option.starts_with("--rules=")) {
            rulesFile = option.substr(8);
        } else if (option == "--select" || option == "--ignore" || option == "--rules") {
            return usageError(option + (option == "--rules" ? " needs a FILE" : " needs a comma list of codes"));
        } else {
            return usageError("check has no option " + readableFileName(option));
        }
    }
    if (codes)
        return files.empty() ? listCodes() : usageError("--list-codes takes no FILE");
    if (files.empty())
        return usageError("check needs at least one FILE");
    CheckReport report(json ? CheckReport::Format::Json : CheckReport::Format::Text,
                       [](std::string_view text) { print(stdout, text); });
    std::vector<bool> shown(selected.size());
    for (std::size_t i = 0; i < selected.size(); ++i)
        shown[i] = (selected[i] || !anySelected) && !ignored[i];
    Checker checker(report, std::move(shown), std::move(rulesFile));
    int status = clean;
    for (const std::string &name : files)
        status = checker.checkFile(name);
    status = checker.checkTeams();
    report.finish();
    return status;
}
