#include "checkreport.h"

#include "classdata/format/findingcodes.h"
#include "classdata/text/readabletext.h"

#include <memory>

using namespace tolvane;

CheckReport::CheckReport(Format format, Output output) : format(format), output(std::move(output)) {}

void CheckReport::setShown(ReadFindingKind kind, bool shown)
{
    hidden.at(std::size_t(kind)) = !shown;
}

void CheckReport::beginFile(std::string_view name, std::string_view bytes)
{
    fileName = readableFileName(name);
    fileFindings = 0;
    classNames.clear();
    if (format != Format::Json)
        return;
    fileName = jsonEscaped(fileName);
    // A finding comes before the rest of its block is read, the class's name
    // perhaps among it: the names come from a read of their own.
    auto classes = std::make_unique<ClassTable>();
    readClassBytes(*classes, bytes);
    for (std::int32_t i = 0; i < classes->classCount && !bytes.empty(); ++i)
        classNames.push_back(jsonEscaped(readableFromWindows1252(classes->records[std::size_t(i)].classname.view())));
}

void CheckReport::found(const ReadFinding &finding)
{
    if (hidden.at(std::size_t(finding.kind)))
        return;
    const FindingCode &code = codeOf(finding.kind);
    const std::string line = std::to_string(finding.line);
    entry.clear();
    if (format == Format::Text) {
        entry.append(fileName).append(1, ':').append(line).append(": ").append(code.code).append(1, ' ');
        entry.append(describe(finding)).append(1, '\n');
    } else {
        entry.append(anyFinding ? ",\n " : "[\n ").append("{\"file\": \"").append(fileName);
        entry.append("\", \"line\": ").append(line).append(", \"code\": \"").append(code.code);
        entry.append("\", \"severity\": \"").append(code.severity).append("\", \"message\": \"");
        entry.append(jsonEscaped(describe(finding))).append(1, '"');
        if (finding.block >= 0 && std::size_t(finding.block) < classNames.size()) {
            entry.append(", \"class\": \"").append(classNames[std::size_t(finding.block)]);
            entry.append("\", \"slot\": ").append(std::to_string(finding.block));
        }
        entry.append(1, '}');
    }
    ++fileFindings;
    anyFinding = true;
    output(entry);
}

void CheckReport::finish()
{
    if (format == Format::Json)
        output(anyFinding ? "\n]\n" : "[]\n");
}
