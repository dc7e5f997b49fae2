// The editing rules as command sequences: where the form is, how far the
// table reaches, what the status line says and which classes took the form.

#include "editingmodel.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

struct Row
{
    // L<n>: load n classes c0, c1, ...; M: load a missing file; s store;
    // n p f l: next previous first last; a add
    const char *commands;
    int current, last, count;
    const char *status; // the status line after the commands
    const char *stored; // the slots the form was stored into, in order
    bool shown;         // the last command showed the current class in the form
};

void PrintTo(const Row &row, std::ostream *out) { *out << '"' << row.commands << '"'; }

const Row rows[] = {
    // Before any load the table is empty, but the form edits slot 0.
    {"", 0, 0, 0, "", "", false},
    {"p", 0, 0, 1, "", "", false},
    {"s", 0, 0, 1, "", "0", false},
    {"n", 0, 0, 0, "", "", false},
    {"a", 0, 1, 2, "@ Class to 1 [min=0 | 2]", "0", false},
    {"a n", 1, 1, 2, "@ Class 1 / 1 []", "0 0", true},
    {"a l p", 0, 1, 2, "@ Class 0 / 1 []", "0 0 1", true},
    // Loading sets the range and brings the index into it.
    {"L5 n n M", 0, 0, 1, "tvclass_seals.cfg not found: 1 new class", "0 1", true},
    {"L5 n n L3", 2, 2, 3, "3 Config Classes Read", "0 1", true},
    {"L5 n n n L2", 1, 1, 2, "2 Config Classes Read", "0 1 2", true},
    {"L5 n n n L2 n", 1, 1, 2, "2 Config Classes Read", "0 1 2", false},
    // Every move stores the form first; Next and Prev. stop at the ends without storing.
    {"L5 n n p", 1, 4, 5, "@ Class 1 / 4 [c1]", "0 1 2", true},
    {"L5 l f p", 0, 4, 5, "@ Class 0 / 4 [c0]", "0 4", false},
    {"L3 n s s", 1, 2, 3, "@ Class 1 / 2 [c1]", "0 1 1", false},
    // Add Class stores the form and widens the range without moving, up to 64 classes.
    {"L5 a a l", 6, 6, 7, "@ Class 6 / 6 []", "0 0 0", true},
    {"L62 a a a", 0, 63, 64, "The table is full: 64 classes", "0 0 0", false},
    {"L62 a a l n", 63, 63, 64, "@ Class 63 / 63 []", "0 0 0", false},
};

class EditingModelTest : public ::testing::TestWithParam<Row>
{
protected:
    void load(int count, bool found = true)
    {
        ClassTable &table = model->state().table;
        for (int i = 0; i < count; ++i) {
            ApplyBlockStartDefaults(table.records[i]);
            table.records[i].classname.assign("c" + std::to_string(i));
        }
        table.classCount = count;
        report(model->loaded(found));
    }

    void report(const EditingModel::Result &result)
    {
        if (result.status)
            status = *result.status;
        shown = result.showClass;
    }

    std::unique_ptr<EditingModel> model = std::make_unique<EditingModel>();
    std::string status;
    std::string stored;
    bool shown = false;
    const EditingModel::StoreForm storeForm = [this](ClassRecord &record) {
        stored += (stored.empty() ? "" : " ") + std::to_string(&record - model->state().table.records.data());
    };
};

TEST_P(EditingModelTest, CommandsLeaveTheFormAndTheRangeWhereTheUserExpects)
{
    std::istringstream commands(GetParam().commands);
    for (std::string command; commands >> command;) {
        switch (command[0]) {
        case 'L': load(std::stoi(command.substr(1))); break;
        case 'M': load(1, false); break;
        case 's': model->store(storeForm); shown = false; break;
        case 'n': report(model->next(storeForm)); break;
        case 'p': report(model->previous(storeForm)); break;
        case 'f': report(model->first(storeForm)); break;
        case 'l': report(model->last(storeForm)); break;
        case 'a': report(model->addClass(storeForm)); break;
        default: FAIL() << "no command " << command;
        }
    }
    const EditorState &state = model->state();
    EXPECT_EQ(state.currentIndex, GetParam().current);
    EXPECT_EQ(state.lastIndex, GetParam().last);
    EXPECT_EQ(state.table.classCount, GetParam().count);
    EXPECT_EQ(state.firstIndex, 0);
    EXPECT_EQ(status, GetParam().status);
    EXPECT_EQ(stored, GetParam().stored);
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, EditingModelTest, ::testing::ValuesIn(rows));

TEST(EditingModel, StatusLineCarriesTheNameBytesUnchanged)
{
    auto model = std::make_unique<EditingModel>();
    model->state().table.records[1].classname.assign("\xC9lite \x80");
    const EditingModel::StoreForm keep = [](ClassRecord &) {};
    model->addClass(keep);
    EXPECT_EQ(model->last(keep).status, "@ Class 1 / 1 [\xC9lite \x80]");
}

} // namespace
