// Values the class file reader would replace, text not read as a number, and
// text the class file cannot hold as typed, are marked in the form.

#include "model/session/controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include <QLineEdit>

using namespace tolvane;

namespace {

struct HintRow
{
    int id;
    const char *typed;
    const char *hint; // a part of the tooltip; empty: no hint
};

class RangeHintTest : public DialogRowTest<HintRow>
{};

TEST_P(RangeHintTest, HintNamesWhatTheFileHoldsInsteadAndClears)
{
    auto *box = control<QLineEdit>(GetParam().id);
    const QColor plain = box->palette().color(QPalette::Base);
    const QString typed = QString::fromUtf8(GetParam().typed);
    typeInto(box, typed);
    EXPECT_EQ(box->text(), typed) << "nothing is refused";
    const QString hint = QString::fromUtf8(GetParam().hint);
    if (hint.isEmpty()) {
        EXPECT_EQ(box->toolTip(), "");
        EXPECT_EQ(box->palette().color(QPalette::Base), plain);
    } else {
        EXPECT_TRUE(box->toolTip().contains(hint)) << box->toolTip().toStdString();
        EXPECT_NE(box->palette().color(QPalette::Base), plain);
    }
    typeInto(box, "5");
    EXPECT_EQ(box->toolTip(), "");
    EXPECT_EQ(box->palette().color(QPalette::Base), plain);
}

// What each hint says is in the value hint rows of the model; here the
// window shows them, with the characters Windows-1252 lacks.
const HintRow hintRows[] = {{ControlId::Health, "1500", "read 100 instead"},
                            {ControlId::Speed, "10", ""},
                            {ControlId::UnderwaterAir, "1,5", "start is read: 1.000000 is stored"},
                            {ControlId::Jump, "1\u2603", "written as ?"},
                            {ControlId::ClassName, "Schneem\u2603nn", "cannot hold \u2603: written as ?"},
                            {ControlId::ClassName, "Ing\u00E9nieur \u20AC", ""},
                            {ControlId::ClassName, "Heavy Gunner of the Northern Front",
                             "first 31 characters are kept: Heavy Gunner of the Northern Fr"},
                            {ControlId::ConfigFile, "keys_\u0141\u00F3d\u017A.cfg", "\u0141\u017A: written as ?"}};
INSTANTIATE_TEST_SUITE_P(Rows, RangeHintTest, ::testing::ValuesIn(hintRows));

} // namespace
