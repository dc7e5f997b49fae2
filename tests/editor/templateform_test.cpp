// The form's measure of its fixed texts: the same width as each control's
// size hint gives, whatever the label looks like, and taken again after a
// change; its font; and the frames of its groups.

#include "dialogtemplate.h"
#include "dialogunits.h"
#include "templateform.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
#include <qdrawutil.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct LabelRow
{
    const char *what;
    const char *text;
    unsigned flags;
    bool buddy;
    std::function<void(QLabel &)> change; // beyond what the template sets
};

class FixedTextTest : public ::testing::TestWithParam<LabelRow>
{};

TEST_P(FixedTextTest, LabelTakesTheWidthOfItsSizeHint)
{
    const LabelRow &row = GetParam();
    QWidget form;
    QFont font = form.font();
    font.setPointSizeF(8);
    form.setFont(font);
    const ControlTemplate label{0, ControlKind::Label, row.text, 0, 0, 60, 8, row.flags, row.buddy ? 1 : 0};
    const ControlTemplate controls[] = {label, {1, ControlKind::TextBox, "", 60, 0, 40, 12}};
    const QList<QWidget *> created = createControls(controls, &form);
    auto *shown = static_cast<QLabel *>(created[0]);
    if (row.change)
        row.change(*shown);
    EXPECT_EQ(fixedTextWidth(label, shown), row.flags & WordWrap ? 0 : shown->sizeHint().width()) << row.what;
}

const LabelRow labelRows[] = {
    {"plain", "Max Health:", NoFlags, true, {}},
    {"Alt letter of a box", "&Armor:", NoFlags, true, {}},
    {"\"&\" without a box to lead to", "Salt & Pepper", NoFlags, false, {}},
    {"a shown \"&\" beside an Alt letter", "&Rock && Roll", NoFlags, true, {}},
    {"framed", "Sunken", NoFlags, false, [](QLabel &l) { l.setFrameStyle(QFrame::Panel | QFrame::Sunken); }},
    {"with a margin", "Margin", NoFlags, false, [](QLabel &l) { l.setMargin(3); }},
    {"indented", "Indent", NoFlags, false, [](QLabel &l) { l.setIndent(5); }},
    {"rich text", "<b>Bold</b> text", NoFlags, false, {}},
    {"selectable", "Selectable", NoFlags, false,
     [](QLabel &l) { l.setTextInteractionFlags(Qt::TextSelectableByMouse); }},
    {"wider than its text", "Wide", NoFlags, false, [](QLabel &l) { l.setMinimumWidth(200); }},
    {"wrapping", "A text that wraps onto the lines below", WordWrap, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Labels, FixedTextTest, ::testing::ValuesIn(labelRows));

// A text changed after the form was laid out is measured again when it is
// laid out at the same size once more, so that it does not clip.
TEST(TemplateFormTest, ChangedTextWidensTheFormAtTheSameSize)
{
    const ControlTemplate controls[] = {{1, ControlKind::Label, "Name:", 4, 4, 30, 8},
                                        {2, ControlKind::PushButton, "OK", 40, 2, 30, 14}};
    QWidget window;
    TemplateForm form(controls, QSize(80, 20), "Sans", &window);
    int width = form.form()->width();
    for (const int id : {1, 2}) {
        QWidget *control = form.controls().value(id);
        const QString longer = QStringLiteral("A text far longer than the control was drawn for");
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(longer);
        else
            static_cast<QPushButton *>(control)->setText(longer);
        form.layOut(form.points());
        EXPECT_GT(form.form()->width(), width) << id;
        EXPECT_GE(control->width(), fixedTextWidth(controls[id - 1], control)) << id;
        width = form.form()->width();
    }
}

// The template's family where it is installed, else the system's font.
TEST(TemplateFormTest, FontIsTheTemplatesWhereItIsInstalled)
{
    const QString installed = QFontDatabase::families().constLast();
    const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const auto &[asked, family] :
         {std::pair(installed, installed), std::pair(QStringLiteral("No Such"), system)}) {
        const QFont font = dialogFont(asked.toLatin1().constData(), 7.5);
        EXPECT_EQ(font.family(), family);
        EXPECT_EQ(font.pointSizeF(), 7.5);
    }
}

// A group's frame is the etched one Qt draws for a sunken shade rectangle,
// under a title of no letters.
TEST(TemplateFormTest, GroupFrameIsEtched)
{
    const ControlTemplate controls[] = {{1, ControlKind::GroupBox, "", 0, 0, 60, 30}};
    QWidget form;
    QWidget *group = createControls(controls, &form).constFirst();
    group->resize(97, 53);
    QImage drawn(group->size(), QImage::Format_RGB32);
    group->render(&drawn);
    QImage expected(group->size(), QImage::Format_RGB32);
    expected.fill(group->palette().window().color());
    QPainter painter(&expected);
    const QFontMetrics metrics = group->fontMetrics();
    qDrawShadeRect(&painter, group->rect().adjusted(0, metrics.height() / 2, 0, 0), group->palette(), true);
    painter.fillRect(metrics.horizontalAdvance(QLatin1Char('x')), 0, 4, metrics.height(), group->palette().window());
    EXPECT_EQ(drawn, expected);
}

} // namespace
