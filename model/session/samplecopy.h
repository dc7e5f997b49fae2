#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tolvane {

// The program's own folder is never a game folder: what is there goes when
// the program is removed or updated. The sample class files that come with
// it are copied into a folder of the user's before anyone edits them.

// Whether path is folder or inside it, as the file system sees them: links
// followed, and on Windows in any case of letters. False for an empty folder.
bool insideFolder(const std::filesystem::path &path, const std::filesystem::path &folder);

// Where the samples are beside the program, as the packages put them.
inline std::filesystem::path samplesBeside(const std::filesystem::path &programFolder)
{
    return programFolder / "examples";
}

// The folder Copy Samples makes for them, in a folder the user chooses.
inline constexpr std::string_view sampleFolderName = "Tolvane samples";

struct SampleCopy
{
    std::vector<std::string> copied;
    std::vector<std::string> kept; // there already, left as they were
    std::filesystem::path failed;  // what could not be made, with why in error
    std::error_code error;
};

// Copies the class files of samples into folder, made when missing. A file
// of that name already there is kept as it is, never replaced.
SampleCopy copySampleFiles(const std::filesystem::path &samples, const std::filesystem::path &folder);

} // namespace tolvane
