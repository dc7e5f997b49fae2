// Values the class file reader would replace are marked in the form.

#include "controlids.h"
#include "dialogtesthelpers.h"
#include "userinput.h"

#include <QLineEdit>

namespace {

struct HintRow
{
    int id;
    const char *typed;
    const char *readInstead; // empty: no hint
};

class RangeHintTest : public DialogRowTest<HintRow>
{
};

TEST_P(RangeHintTest, HintNamesTheValueTheGameReadsAndClears)
{
    auto *box = control<QLineEdit>(GetParam().id);
    const QColor plain = box->palette().color(QPalette::Base);
    typeInto(box, GetParam().typed);
    EXPECT_EQ(box->text(), GetParam().typed) << "nothing is refused";
    const QString readInstead = GetParam().readInstead;
    if (readInstead.isEmpty()) {
        EXPECT_EQ(box->toolTip(), "");
        EXPECT_EQ(box->palette().color(QPalette::Base), plain);
    } else {
        EXPECT_TRUE(box->toolTip().contains("the game will read " + readInstead + " instead"))
            << box->toolTip().toStdString();
        EXPECT_NE(box->palette().color(QPalette::Base), plain);
    }
    typeInto(box, "5");
    EXPECT_EQ(box->toolTip(), "");
    EXPECT_EQ(box->palette().color(QPalette::Base), plain);
}

INSTANTIATE_TEST_SUITE_P(Rows, RangeHintTest,
                         ::testing::Values(HintRow{ControlId::Health, "1500", "100"},
                                           HintRow{ControlId::Health, "999", ""},
                                           HintRow{ControlId::Rockets, "5000", "2"},
                                           HintRow{ControlId::Helmet, "1000", "20"},
                                           HintRow{ControlId::Speed, "12", "1.000000"},
                                           HintRow{ControlId::Jump, "nan", "1.000000"},
                                           HintRow{ControlId::Speed, "10", ""},
                                           HintRow{ControlId::Speed, "10.0000001", ""},
                                           HintRow{ControlId::UnderwaterAir, "1e30", ""}));

TEST_F(DialogTest, ShownNegativeArmourIsMarkedAndNotChanged)
{
    dialog->state().current().kevlar_vest = -5;
    dialog->ShowRecord();
    auto *box = control<QLineEdit>(ControlId::KevlarVest);
    EXPECT_TRUE(box->toolTip().contains("the game will read 50 instead"));
    click(ControlId::SaveToMemory);
    EXPECT_EQ(dialog->state().current().kevlar_vest, -5);
}

} // namespace
