#pragma once

// The windows of the editing session's parts, each recording what it was
// given and giving what the test set.

#include "model/compare/comparecommands.h"
#include "model/files/backupsandrecovery.h"
#include "model/session/classlistcommands.h"
#include "model/session/inventorycommands.h"
#include "model/sheets/sheetcommands.h"
#include "model/table/classtableediting.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct FakeClassPicker : tolvane::ClassPicker
{
    // The slot Go to Class picks; nullopt cancels.
    std::optional<int> pickedClass;
    std::vector<std::string> classList;
    int currentEntry = -1;
    std::optional<int> chooseClass(const std::vector<std::string> &names, const std::vector<int> &,
                                   int current) override
    {
        classList = names;
        currentEntry = current;
        return pickedClass;
    }
};

struct FakeInventory : tolvane::InventoryView
{
    // What the inventory view does while it is open.
    std::function<void(const Inventory &)> inInventory = [](const Inventory &) {};
    void showInventory(const Inventory &inventory) override { inInventory(inventory); }
};

struct FakeTableView : tolvane::TableView
{
    std::string tableStatus;
    void showClassTable(const std::string &status) override { tableStatus = status; }
};

struct FakeCompareView : tolvane::CompareView
{
    // What the compare views and the chart were last given, and what the
    // test does while they are open.
    TwoClasses twoClasses;
    BaselineView baseline;
    ChartView chart;
    std::function<void()> inCompareView = [] {};
    void showTwoClasses(const TwoClasses &classes) override { twoClasses = classes, inCompareView(); }
    void showBaseline(const BaselineView &shown) override { baseline = shown, inCompareView(); }
    void showChart(const ChartView &shown) override { chart = shown; }
};

struct FakeSheetView : tolvane::SheetView
{
    // Review Changes of an import shows importReview, and imports when
    // importing is set.
    std::string importReview;
    bool importing = true;
    bool confirmImport(const std::string &, const std::string &text) override
    {
        importReview = text;
        return importing;
    }
};

struct FakeVersions : tolvane::VersionChooser
{
    // The version Restore Previous Version picks; nullopt cancels.
    std::optional<std::size_t> pickedVersion;
    std::vector<KeptVersion> versions;
    std::optional<std::size_t> chooseVersion(const std::string &, const std::vector<KeptVersion> &kept) override
    {
        versions = kept;
        return pickedVersion;
    }
};
