// The editor window as it opens: its controls, lists, title, size and names
// for screen readers.

#include "dialogtesthelpers.h"

#include "dialogtemplate.h"
#include "picturelabel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

namespace {

struct ControlRow
{
    int id;
    const char *kind;
    const char *label; // the text, or the name a screen reader gives a box
    bool enabled = true;
};

// Every control, in template order. Its label is also what a screen reader
// announces, and the count check below leaves no control out.
const ControlRow controlRows[] = {
    {1, "QPushButton", "&Quit"},
    {2, "QPushButton", "&Write Out"},
    {3, "QPushButton", "&About"},
    {1003, "QPushButton", "&Load Config"},
    {1004, "QPushButton", "Next Class"},
    {1005, "QPushButton", "Prev. Class"},
    {1006, "QPushButton", "Add Class"},
    {1007, "QPushButton", "Delete Class", false},
    {1076, "QPushButton", "&Save to Memory"},
    {1054, "QPushButton", "Calculate!"},
    {1108, "QPushButton", "ADD!"},
    {1107, "QPushButton", "Show Inventory"},
    {1010, "QLineEdit", "Classname"},
    {1039, "QLabel", "Config File"},
    {1040, "QLineEdit", "Config File"},
    {1012, "QCheckBox", "Scanner"},
    {1013, "QCheckBox", "Knife Throw"},
    {1014, "QCheckBox", "Laserguided Rox"},
    {1015, "QCheckBox", "Throw Caltrops"},
    {1017, "QCheckBox", "Place Sentrys"},
    {1018, "QCheckBox", "Place Healdepot"},
    {1020, "QCheckBox", "Place Detpack"},
    {1021, "QCheckBox", "Can Disguise"},
    {1022, "QCheckBox", "Can Feign Death"},
    {1025, "QCheckBox", "Sniper Autozoom"},
    {1026, "QCheckBox", "Sniper Scope"},
    {1027, "QCheckBox", "Sniper Lasersight"},
    {1016, "QCheckBox", "AT-4 Scope"},
    {1019, "QCheckBox", "Place Ammodepot"},
    {1023, "QCheckBox", "Has Nightvision"},
    {1024, "QCheckBox", "Can use Turrets"},
    {1028, "QCheckBox", "Can Heal Others"},
    {1029, "QCheckBox", "Disarm Detpack"},
    {1030, "QComboBox", "Resistance"},
    {1056, "PictureLabel", ""},
    {1034, "QLineEdit", "Helmet"},
    {1035, "QLabel", "Helmet"},
    {1032, "QLineEdit", "Kevlar Vest"},
    {1037, "QLabel", "Kevlar Vest"},
    {1033, "QLineEdit", "Trousers"},
    {1038, "QLabel", "Trousers"},
    {1051, "QLineEdit", "Health"},
    {1052, "QLineEdit", "Maximum health"},
    {1048, "QLineEdit", "Class Speed"},
    {1049, "QLineEdit", "Jump Height"},
    {1050, "QLineEdit", "Underwaterair"},
    {1058, "QCheckBox", "Can be Assassin"},
    {1059, "QCheckBox", "Can be Bodyguard"},
    {1060, "QCheckBox", "Can be the Hunted"},
    {1061, "QCheckBox", "Can be the V.I.P."},
    {1055, "QLineEdit", "Calculated abilities", false},
    {1063, "QComboBox", "Inventory item"},
    {1064, "QLineEdit", "Amount of Army Knife"},
    {1110, "QComboBox", "Starting weapon"},
    {1111, "PictureLabel", ""},
    {1066, "QLineEdit", "Shells"},
    {1068, "QLineEdit", ".357 Bullets"},
    {1069, "QLineEdit", "Rockets"},
    {1070, "QLineEdit", "Cells"},
    {1067, "QLineEdit", "Pistol Mag"},
    {1065, "QLineEdit", ".45 cal Mag", false},
    {1071, "QLineEdit", "9mm Mag"},
    {1072, "QLineEdit", "AR Mag"},
    {1074, "QLineEdit", ".308 cal Mag"},
    {1073, "QLineEdit", "7.62mm BB"},
    {1075, "QLineEdit", "40mm Gren", false},
    {1079, "QLineEdit", "Grenades"},
    {1002, "QLineEdit", "Status"},
    {1001, "QScrollBar", ""},
};

// What a user or a screen reader knows a control by: the text of a button,
// check box or label; for a box, its accessible name or its label's text.
QString labelOf(QWidget *widget)
{
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return QString(label->text()).remove(u'&');
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget)) {
        const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    return {};
}

int idOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const QVariant id = widget->property("controlId"); id.isValid())
            return id.toInt();
    }
    return 0;
}

using WindowTest = DialogTest;

TEST_F(WindowTest, EveryControlHasItsIdKindLabelAndState)
{
    for (const ControlRow &row : controlRows) {
        SCOPED_TRACE(row.id);
        QWidget *widget = control(row.id);
        EXPECT_EQ(widget->objectName(), QStringLiteral("control%1").arg(row.id));
        EXPECT_STREQ(widget->metaObject()->className(), row.kind);
        EXPECT_EQ(labelOf(widget), QString::fromUtf8(row.label));
        EXPECT_EQ(widget->isEnabled(), row.enabled);
    }
    const auto withId = dialog->findChildren<QWidget *>(QRegularExpression(QStringLiteral("^control")));
    EXPECT_EQ(withId.size(), qsizetype(std::size(controlRows)));
}

TEST_F(WindowTest, PicturesShowTheirBitmapsWithADescription)
{
    QList<int> bitmaps;
    for (const PictureLabel *picture : dialog->findChildren<PictureLabel *>()) {
        SCOPED_TRACE(picture->bitmapId());
        bitmaps.append(picture->bitmapId());
        EXPECT_FALSE(picture->accessibleDescription().isEmpty());
        EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), picture->contentsRect().size());
    }
    std::sort(bitmaps.begin(), bitmaps.end());
    EXPECT_EQ(bitmaps, (QList<int>{137, 138, 143}));
}

struct ListRow
{
    int id;
    int count;
    const char *first, *second, *last;
    bool editable;
};

// Text typed into an editable list, then Enter, must not become an entry.
TEST_F(WindowTest, ListsAreFilledUnsortedAndShowTheirFirstEntry)
{
    const ListRow rows[] = {
        {1030, 3, "Normal Armor", "Fire Armor", "Blast Armor", true},
        {1063, 44, "Army Knife", "Fists", ".357 Magnum Bullets", false},
        {1110, 28, "Army Knife", "Fists", "ASX-01 Flame Thrower", false},
    };
    showDialog();
    for (const ListRow &row : rows) {
        SCOPED_TRACE(row.id);
        auto *list = control<QComboBox>(row.id);
        ASSERT_EQ(list->count(), row.count);
        EXPECT_EQ(QStringList({list->currentText(), list->itemText(1), list->itemText(row.count - 1)}),
                  QStringList({row.first, row.second, row.last}));
        ASSERT_EQ(list->isEditable(), row.editable);
        if (row.editable) {
            list->setFocus();
            QTest::keyClicks(list->lineEdit(), QStringLiteral("Paper Armor"));
            QTest::keyClick(list->lineEdit(), Qt::Key_Return);
            EXPECT_EQ(list->count(), row.count);
        }
    }
}

TEST_F(WindowTest, OpensOnTheEmptySlotWithAnEmptyStatusLine)
{
    EXPECT_EQ(shownTitle(*dialog), QString::fromUtf8("Tolvane Class Creator \u00A9 - Editing  "));
    EXPECT_EQ(dialog->statusText(), QString());
    EXPECT_TRUE(control<QLineEdit>(1002)->isReadOnly()) << "shown with normal contrast, but never edited";
    EXPECT_FALSE(control(1001)->isVisibleTo(dialog.get()));
}

// A fixed window whose client area under the menu bar is 471 x 257 dialog
// units of the dialog's 8 point font.
TEST_F(WindowTest, HasAFixedSizeFromTheTemplateAndAMinimiseButtonOnly)
{
    dialog->show();
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowIcon().isNull());
    QWidget *form = control(1)->parentWidget();
    EXPECT_EQ(form->font().pointSize(), 8);
    const DialogUnits units(form->font());
    EXPECT_EQ(form->size(), QSize(units.toPixelsX(471), units.toPixelsY(257)));
    auto *menuBar = dialog->findChild<QMenuBar *>();
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(dialog->height(), menuBar->height() + form->height());
}

// Overlapping, cut-off or misplaced controls would hide text whatever the font.
TEST_F(WindowTest, ControlsLieInTheFormWithoutOverlapOrCutText)
{
    dialog->show();
    QWidget *form = control(1)->parentWidget();
    QList<QWidget *> placed;
    const auto area = [form](QWidget *widget) { return QRect(widget->mapTo(form, QPoint()), widget->size()); };
    for (QWidget *widget : form->findChildren<QWidget *>()) {
        // The controls of a group sit in its group box.
        const bool control = widget->parentWidget() == form || qobject_cast<QGroupBox *>(widget->parentWidget());
        if (control && widget->isVisibleTo(dialog.get())) {
            EXPECT_TRUE(form->rect().contains(area(widget))) << idOf(widget);
            if (!qobject_cast<QGroupBox *>(widget))
                placed.append(widget);
        }
    }
    for (qsizetype i = 0; i < placed.size(); ++i) {
        QWidget *widget = placed[i];
        for (qsizetype j = i + 1; j < placed.size(); ++j) {
            EXPECT_FALSE(area(widget).intersects(area(placed[j])))
                << widget->metaObject()->className() << " " << idOf(widget) << " and "
                << placed[j]->metaObject()->className() << " " << idOf(placed[j]);
        }
        const bool fixedText = qobject_cast<QCheckBox *>(widget)
                               || (qobject_cast<QLabel *>(widget) && !qobject_cast<PictureLabel *>(widget));
        if (fixedText) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << idOf(widget);
        }
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            const int textWidth = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'));
            EXPECT_LE(textWidth + 6, button->width()) << idOf(widget);
        }
    }
}

// Digits boxes take only digits from the keyboard but keep what the program
// shows; number and text boxes take anything.
TEST_F(WindowTest, TypingTakesWhatEachKindOfBoxAllows)
{
    struct Row
    {
        int id;
        const char *shown, *typed, *result; // shown: set before typing, as ShowRecord would
    };
    const Row rows[] = {{1034, "", "a1-2 b3.", "123"}, {1064, "", "+7e1", "71"}, {1051, "-5", "\b7", "-7"},
                        {1048, "", "1,5x", "1,5x"},    {1010, "", "Medic -1", "Medic -1"}};
    showDialog();
    for (const Row &row : rows) {
        auto *box = control<QLineEdit>(row.id);
        box->setText(QString::fromLatin1(row.shown));
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, QString::fromLatin1(row.typed));
        EXPECT_EQ(box->text(), QString::fromLatin1(row.result)) << row.id << " typed " << row.typed;
    }
}

// A number box takes no more than it can show; the config file box scrolls.
TEST_F(WindowTest, NumberBoxStopsTakingTextAtItsWidth)
{
    showDialog();
    auto *speed = control<QLineEdit>(1048);
    speed->setFocus();
    QTest::keyClicks(speed, QString(40, u'9'));
    EXPECT_GT(speed->text().size(), 5);
    EXPECT_LT(speed->text().size(), 40);
    EXPECT_LE(speed->fontMetrics().horizontalAdvance(speed->text()), speed->width());

    auto *configFile = control<QLineEdit>(1040);
    configFile->setFocus();
    QTest::keyClicks(configFile, QString(60, u'W'));
    EXPECT_EQ(configFile->text().size(), 60);
}

} // namespace
