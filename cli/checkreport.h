#pragma once

#include "classfilereader.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What check says of one kind of finding: a stable code for scripts and CI,
// how grave it is, and a line for --list-codes.
struct FindingCode
{
    ReadFindingKind kind;
    std::string_view code;     // "TCC003"
    std::string_view severity; // "error": a class or block is lost; else "warning"
    std::string_view explanation;
};

std::span<const FindingCode> findingCodes();
const FindingCode &codeOf(ReadFindingKind kind);

// Collects what the reader finds in one class file, in line order.
class CheckReport : public ReadObserver
{
public:
    explicit CheckReport(std::string_view fileName);

    void found(const ReadFinding &finding) override;

    bool empty() const { return findings.empty(); }
    // Compiler-style lines, "FILE:LINE: CODE message", each ended by a line feed.
    std::string text() const;
    // One JSON object per finding, {file, line, code, severity, message},
    // each appended to objects.
    void appendJson(std::vector<std::string> &objects) const;

private:
    struct Finding
    {
        int line;
        ReadFindingKind kind;
        std::string message;
    };
    std::vector<const Finding *> sorted() const;

    std::string fileName; // readable UTF-8
    std::vector<Finding> findings;
};

// The message for one finding, without file, line and code; the file's bytes
// in it are readable UTF-8.
std::string describe(const ReadFinding &finding);
