// The form as values: what the boxes show of a class and what storing them gives.

#include "model/session/formvalues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>

using namespace tolvane;

namespace {

// The text of the box of control id.
std::string &boxText(FormValues &form, int id)
{
    return *form.text(*bindingOfControl(id));
}

TEST(FormValues, NumberBoxStoresItsLeadingNumberInEveryLocale)
{
    const std::pair<const char *, float> rows[] = {{"", 0.0f},    {"12abc", 12.0f},      {"1,5", 1.0f},
                                                   {"1.5", 1.5f}, {" -2.25e1x", -22.5f}, {"1e39", 3.40282347e38f},
                                                   {"0x2", 0.0f}, {"-inf", 0.0f},        {"nan", 0.0f}};
#ifdef _WIN32
    const char *german = "German"; // the C runtime's name
#else
    const char *german = "de_DE.UTF-8";
#endif
    for (const char *locale : {"C", german}) {
        if (!std::setlocale(LC_ALL, locale)) {
            if (std::getenv("CI"))
                ADD_FAILURE() << "locale " << locale << " is missing";
            continue;
        }
        for (const auto &[typed, speed] : rows) {
            ClassRecord record;
            applyBlockStartDefaults(record);
            FormValues form;
            showRecordIn(record, form);
            boxText(form, ControlId::Speed) = typed;
            storeForm(form, record);
            EXPECT_EQ(record.speed, speed) << typed << " in " << locale;
            showRecordIn(record, form);
            EXPECT_EQ(boxText(form, ControlId::Speed).find(','), std::string::npos);
        }
    }
    std::setlocale(LC_ALL, "C");
}

// The entry at the value's position truncated toward zero, or none; no
// entry stores as -1.
TEST(FormValues, ResistanceSelectsTheEntryOfItsPosition)
{
    const std::pair<float, int> rows[] = {{0.0f, 0},  {1.7f, 1},   {2.9f, 2}, {3.0f, -1},
                                          {-0.5f, 0}, {-1.0f, -1}, {NAN, -1}};
    for (const auto &[resistance, entry] : rows) {
        ClassRecord record;
        record.resistance = resistance;
        FormValues form;
        showRecordIn(record, form);
        EXPECT_EQ(form.resistance, entry) << resistance;
        storeForm(form, record);
        EXPECT_EQ(record.resistance, entry >= 0 ? float(entry) : -1.0f) << resistance;
    }
}

// Bits without a box stay when the form is stored; the later max_45cal box
// is the one stored; texts are cut to their fields.
TEST(FormValues, StoringKeepsWhatTheBoxesHold)
{
    ClassRecord record;
    record.classabilities = 0x800 | 0x800000 | 0x2;
    FormValues form;
    showRecordIn(record, form);
    EXPECT_EQ(std::count(form.abilities.begin(), form.abilities.end(), true), 1);
    boxText(form, ControlId::Cal45Mag) = "7";
    boxText(form, ControlId::PistolMag) = "9";
    form.className = std::string(100, 'n');
    storeForm(form, record);
    EXPECT_EQ(record.classabilities, 0x800 | 0x800000 | 0x2);
    EXPECT_EQ(record.max_45cal, 9);
    EXPECT_EQ(record.classname.view(), std::string(decltype(ClassRecord::classname)::capacity, 'n'));
}

} // namespace
