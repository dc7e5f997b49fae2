#include "tool.h"

#include "classdata/sheets/classexport.h"
#include "classdata/text/readabletext.h"

#include <memory>

using namespace tolvane;

int exportCommand(const std::vector<std::string> &options, const std::vector<std::string> &files)
{
    std::optional<SheetFormat> format = SheetFormat::Csv;
    for (const std::string &option : options) {
        if (!option.starts_with("--format="))
            return usageError("export has no option " + readableFileName(option));
        if (!readFormatOption(option, format))
            return failure;
    }
    if (files.empty())
        return usageError("export needs a FILE");
    std::vector<std::unique_ptr<ClassTable>> tables;
    std::vector<std::string> names;
    for (const std::string &name : files) {
        FileBytes file;
        if (!readInput(name, file) || refuseNonClassFile(name, file.bytes))
            return failure;
        readClassBytes(*tables.emplace_back(std::make_unique<ClassTable>()), file.bytes);
        names.push_back(readableFileName(name));
    }
    std::vector<ClassesOfFile> sheet;
    for (std::size_t i = 0; i < files.size(); ++i)
        sheet.push_back({names[i], {tables[i]->records.data(), std::size_t(tables[i]->classCount)}});
    print(stdout, classesAsSheet(sheet, *format));
    return clean;
}
