#pragma once

#include "classdata/format/classfilereader.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes what the reader finds in class files as it finds it, in line order,
// so that a report takes no memory of its own however many findings there
// are: compiler-style lines, "FILE:LINE: CODE message", or one JSON array of
// objects {file, line, code, severity, message} for all files, with the
// class's name and slot (from 0) {class, slot} for a finding in a class.
class CheckReport : public tolvane::ReadObserver
{
public:
    enum class Format { Text, Json };
    using Output = std::function<void(std::string_view)>;

    CheckReport(Format format, Output output);

    // Whether findings of kind are shown (all are, unless told otherwise).
    void setShown(tolvane::ReadFindingKind kind, bool shown);
    // The findings that follow are of the file named fileName, as given,
    // which holds bytes.
    void beginFile(std::string_view fileName, std::string_view bytes = {});
    void found(const tolvane::ReadFinding &finding) override;
    // Whether a finding of the current file was shown.
    bool fileHasFindings() const { return fileFindings > 0; }
    // Ends the report: closes the JSON array.
    void finish();

private:
    Format format;
    Output output;
    std::array<bool, std::size_t(tolvane::ReadFindingKind::Count)> hidden{};
    std::string fileName;                // readable UTF-8, JSON-escaped in JSON
    std::vector<std::string> classNames; // JSON: of the file's classes, readable and escaped
    std::string entry;
    int fileFindings = 0;
    bool anyFinding = false;
};
