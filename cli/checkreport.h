#pragma once

#include "classfilereader.h"

#include <string>
#include <utility>
#include <vector>

// Collects what the reader finds in one class file as compiler-style lines,
// "FILE:LINE: message", in line order.
class CheckReport : public ReadObserver
{
public:
    explicit CheckReport(std::string fileName) : fileName(std::move(fileName)) {}

    void found(const ReadFinding &finding) override;

    bool empty() const { return lines.empty(); }
    // The lines, each ended by a line feed, ordered by line number.
    std::string text() const;

private:
    std::string fileName;
    std::vector<std::pair<int, std::string>> lines;
};

// The message for one finding, without file and line.
std::string describe(const ReadFinding &finding);
