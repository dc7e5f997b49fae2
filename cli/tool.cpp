#include "tool.h"

#include "findingcodes.h"
#include "readabletext.h"

bool refuseNonClassFile(const std::string &name, std::string_view bytes)
{
    const ClassFileKind kind = kindOf(name, bytes);
    if (kind == ClassFileKind::ClassFile)
        return false;
    const ReadFindingKind finding = kind == ClassFileKind::SettingsFile ? ReadFindingKind::SettingsFile
                                                                         : ReadFindingKind::NoClass;
    complain(readableFileName(name) + ": " + std::string(whyNotAClassFile(kind)) + " ("
             + std::string(codeOf(finding).code) + "); left alone");
    return true;
}

bool readFormatOption(const std::string &option, std::optional<SheetFormat> &format)
{
    format = sheetFormatNamed(std::string_view(option).substr(std::string_view("--format=").size()));
    if (!format)
        usageError("--format takes csv, tsv or json");
    return format.has_value();
}
