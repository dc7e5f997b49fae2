#include "samplecopy.h"

#include "classdata/format/classfilereader.h"

namespace tolvane {

namespace fs = std::filesystem;

bool insideFolder(const fs::path &path, const fs::path &folder)
{
    if (folder.empty())
        return false;
    std::error_code error;
    fs::path walked = fs::weakly_canonical(path, error);
    if (error)
        walked = fs::absolute(path, error).lexically_normal();
    for (;;) {
        if (fs::equivalent(walked, folder, error))
            return true;
        fs::path parent = walked.parent_path();
        if (parent.empty() || parent == walked)
            return false;
        walked = std::move(parent);
    }
}

SampleCopy copySampleFiles(const fs::path &samples, const fs::path &folder)
{
    SampleCopy copy;
    fs::create_directories(folder, copy.error);
    if (copy.error) {
        copy.failed = folder;
        return copy;
    }
    for (std::string_view name : {classFileName(1), classFileName(0)}) {
        const fs::path target = folder / name;
        std::error_code error;
        if (fs::exists(target, error) || fs::is_symlink(target, error)) {
            copy.kept.emplace_back(name);
        } else if (fs::copy_file(samples / name, target, fs::copy_options::none, copy.error)) {
            copy.copied.emplace_back(name);
        } else {
            copy.failed = target;
            return copy;
        }
    }
    return copy;
}

} // namespace tolvane
