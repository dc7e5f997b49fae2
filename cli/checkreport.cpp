#include "checkreport.h"

#include "findingcodes.h"
#include "readabletext.h"

CheckReport::CheckReport(Format format, Output output) : format(format), output(std::move(output)) {}

void CheckReport::setShown(ReadFindingKind kind, bool shown)
{
    hidden.at(std::size_t(kind)) = !shown;
}

void CheckReport::beginFile(std::string_view name)
{
    fileName = readableFileName(name);
    if (format == Format::Json)
        fileName = jsonEscaped(fileName);
    fileFindings = 0;
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
        entry.append(jsonEscaped(describe(finding))).append("\"}");
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
