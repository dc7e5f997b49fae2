// The editor window as it opens: its controls, lists, title, size and names
// for screen readers.

#include "model/session/controlids.h"
#include "dialogtesthelpers.h"

#include "aboutdialog.h"
#include "artwork.h"
#include "dialogunits.h"
#include "gotoclassdialog.h"
#include "inventorydialog.h"
#include "picturelabel.h"
#include "predrawn.h"
#include "reviewdialog.h"
#include "statusline.h"
#include "templateform.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

using namespace tolvane;

namespace {

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
        if (const int id = controlIdOf(widget))
            return id;
    }
    return 0;
}

using WindowTest = DialogTest;

// Every control a user can reach has a name a screen reader announces; the
// ones the program does not offer yet are greyed out.
TEST_F(WindowTest, EveryControlHasANameAndOnlyTheUnfinishedOnesAreGreyedOut)
{
    QStringList disabled;
    for (QWidget *widget : control(ControlId::Quit)->parentWidget()->findChildren<QWidget *>()) {
        if (!controlIdOf(widget))
            continue; // the inner parts of a control
        if (widget->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel *>(widget)) {
            EXPECT_FALSE(labelOf(widget).isEmpty()) << idOf(widget);
        }
        if (!widget->isEnabled())
            disabled.append(labelOf(widget));
        // A screen reader reads a box's text to its end in one run of attributes.
        if (auto *box = qobject_cast<QLineEdit *>(widget)) {
            int start = -1, end = -1;
            QAccessible::queryAccessibleInterface(box)->textInterface()->attributes(0, &start, &end);
            EXPECT_EQ(std::pair(start, end), std::pair(0, int(box->text().size()))) << idOf(widget);
        }
    }
    disabled.sort();
    EXPECT_EQ(disabled, QStringList({".45 cal Mag", "40mm Gren", "Delete Class"}));
}

QImage pixelsOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Also run at a pixel ratio the build did not draw the pictures for (see the
// CMake file): once the window is on screen, every picture is the sharp one.
TEST_F(WindowTest, PicturesShowTheirBitmapsWithADescription)
{
    showDialog();
    const QList<PictureLabel *> pictures = dialog->findChildren<PictureLabel *>();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return std::none_of(pictures.begin(), pictures.end(), [](auto *picture) { return picture->showsStandIn(); });
    }));
    QList<int> bitmaps;
    for (const PictureLabel *picture : pictures) {
        SCOPED_TRACE(picture->bitmapId());
        bitmaps.append(picture->bitmapId());
        EXPECT_FALSE(picture->accessibleDescription().isEmpty());
        EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), picture->contentsRect().size());
        EXPECT_EQ(pixelsOf(picture->pixmap()), pixelsOf(drawBitmap(picture->bitmapId(), picture->devicePixelRatio())));
    }
    std::sort(bitmaps.begin(), bitmaps.end());
    EXPECT_EQ(bitmaps, (QList<int>{137, 138, 143}));
}

// The build draws the pictures for ratios 1 and 2 as the code draws them;
// other ratios get a stand-in of the right size until they are drawn. (The
// glyph edges of large text depend on what the process drew before, so the
// ratios come in the order the build draws them.)
TEST(PredrawnTest, PicturesAreTheDrawnOnesAtTheirRatios)
{
    for (int id : bitmapIds) {
        for (qreal ratio : {1.0, 2.0, 1.25, 1.5, 3.0}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2").arg(id).arg(ratio).toStdString());
            const bool predrawn = std::ranges::count(predrawnBitmapIds, id)
                                  && std::ranges::count(predrawnRatios, ratio);
            EXPECT_EQ(QFile::exists(":/artwork/" + predrawnBitmapName(id, ratio)), predrawn);
            const QPixmap loaded = predrawnBitmap(id, ratio);
            const QPixmap drawn = drawBitmap(id, ratio);
            EXPECT_EQ(loaded.devicePixelRatio(), ratio);
            EXPECT_EQ(loaded.size(), drawn.size());
            EXPECT_EQ(isStandIn(id, ratio), std::ranges::count(predrawnBitmapIds, id) && !predrawn);
            if (predrawn) {
                EXPECT_EQ(pixelsOf(loaded), pixelsOf(drawn));
            }
        }
    }
    EXPECT_EQ(programIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {64, 64}}));
    EXPECT_EQ(pixelsOf(programIcon().pixmap(32)), pixelsOf(drawIcon(32)));
}

// The name on the banner is drawn, gold to green, in letters that fill a good
// share of it (with a font that had no outlines it stayed black).
TEST(PredrawnTest, BannerShowsItsName)
{
    for (qreal ratio : predrawnRatios) {
        const QImage banner = pixelsOf(predrawnBitmap(143, ratio));
        qsizetype coloured = 0;
        for (int y = 0; y < banner.height(); ++y) {
            for (int x = 0; x < banner.width(); ++x) {
                const QRgb pixel = banner.pixel(x, y);
                coloured += qGreen(pixel) > 100 && qBlue(pixel) < qGreen(pixel) / 2;
            }
        }
        EXPECT_GT(coloured, banner.width() * banner.height() / 32) << ratio;
    }
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
        {ControlId::Resistance, 3, "Normal Armor", "Fire Armor", "Blast Armor", true},
        {ControlId::ItemList, 44, "Army Knife", "Fists", ".357 Magnum Bullets", false},
        {ControlId::StartingWeaponList, 28, "Army Knife", "Fists", "ASX-01 Flame Thrower", false},
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

// The window can be resized and maximised: the form under the menu bar, in
// the middle of a wider window, the status line along the bottom.
TEST_F(WindowTest, CanBeResizedAndMaximisedWithTheStatusLineAlongTheBottom)
{
    dialog->show();
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(dialog->windowIcon().isNull());
    auto *form = dialog->findChild<TemplateForm *>();
    QWidget *status = control(ControlId::StatusLine);
    const QSize opened = dialog->size();
    EXPECT_EQ(dialog->height(), dialog->findChild<QMenuBar *>()->height() + form->height() + status->height());
    EXPECT_EQ(form->size(), form->form()->size());
    dialog->showMaximized();
    QApplication::processEvents();
    EXPECT_GT(dialog->width() * dialog->height(), opened.width() * opened.height());
    EXPECT_EQ(status->mapTo(dialog.get(), status->rect().bottomLeft()).y(), dialog->rect().bottom());
    EXPECT_LE(std::abs(form->form()->geometry().center().x() - form->viewport()->rect().center().x()), 1);
    EXPECT_EQ(form->form()->geometry().top(), 0);
}

// Overlapping, cut-off or misplaced controls would hide text whatever the font.
void expectControlsInPlace(QWidget *form)
{
    QList<QWidget *> placed;
    const auto area = [form](QWidget *widget) { return QRect(widget->mapTo(form, QPoint()), widget->size()); };
    for (QWidget *widget : form->findChildren<QWidget *>()) {
        // The controls of a group sit in its group box, clear of its frame.
        auto *group = qobject_cast<QGroupBox *>(widget->parentWidget());
        const bool control = widget->parentWidget() == form || group;
        if (control && widget->isVisibleTo(form)) {
            const QRect placedAt = area(widget);
            const QRect within = group ? area(group).adjusted(1, 0, -2, -2) : form->rect();
            EXPECT_TRUE(within.contains(placedAt))
                << idOf(widget) << " at " << placedAt.x() << "," << placedAt.y() << " " << placedAt.width() << "x"
                << placedAt.height() << " in " << within.width() << "x" << within.height();
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
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
        } else if (qobject_cast<QCheckBox *>(widget) || (label && !qobject_cast<PictureLabel *>(widget))) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << idOf(widget);
        }
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            const int textWidth = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'));
            EXPECT_LE(textWidth + 6, button->width()) << idOf(widget);
        }
    }
}

class FontScalingTest : public DialogRowTest<qreal>
{
protected:
    void TearDown() override
    {
        QApplication::setFont(systemFont);
        DialogRowTest<qreal>::TearDown();
    }

    const QFont systemFont = QApplication::font();
};

// A window lies on the screen, and the buttons of a window that does not
// scroll lie in it.
void expectOnScreen(QWidget *window, bool scrolls = false)
{
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(screen.contains(frame)) << window->metaObject()->className() << " " << frame.x() << "," << frame.y()
                                        << " " << frame.width() << "x" << frame.height() << " on " << screen.width()
                                        << "x" << screen.height();
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->isVisible() && !scrolls) {
            EXPECT_TRUE(window->rect().contains(QRect(button->mapTo(window, QPoint()), button->size())))
                << window->metaObject()->className() << " " << button->text().toStdString();
        }
    }
}

// The form follows the size of the system font in dialog units, also when it
// changes while the window is open, and steps down when the screen has no
// room for it, as far as it must and no further, then scrolls; the window,
// its status line, the about box and the windows the editor opens lie on the
// screen, and no fixed text is cut. (The rows run on screens of several sizes
// and scales, see the CMake file.)
TEST_P(FontScalingTest, FormFollowsTheSystemFontAndFitsTheScreen)
{
    if (const QStringList size = qEnvironmentVariable("TOLVANE_TEST_SCREEN").split(u'x'); size.size() == 2) {
        const QScreen *screen = QApplication::primaryScreen();
        const QSizeF pixels = QSizeF(screen->geometry().size()) * screen->devicePixelRatio();
        ASSERT_NEAR(pixels.width(), size[0].toInt(), 1) << "the screen asked for";
        ASSERT_NEAR(pixels.height(), size[1].toInt(), 1) << "the screen asked for";
    }
    const qreal systemPoints = GetParam();
    QFont larger = systemFont;
    larger.setPointSizeF(systemPoints);
    showDialog();
    QApplication::setFont(larger);
    // What a running application sends its windows; tests run no event loop.
    QEvent change(QEvent::ApplicationFontChange);
    QApplication::sendEvent(dialog.get(), &change);
    expectOnScreen(dialog.get(), true);
    auto *form = dialog->findChild<TemplateForm *>();
    const qreal points = form->points();
    EXPECT_EQ(form->preferredPoints(), std::max<qreal>(8, systemPoints * 8 / 9));
    EXPECT_LE(points, form->preferredPoints());
    const QRect room(QPoint(), form->roomOnScreen());
    if (points > TemplateForm::minimumPoints || room.contains(form->form()->rect())) {
        EXPECT_EQ(form->size(), form->form()->size()) << "the form scrolls";
    }
    if (points < form->preferredPoints()) {
        form->layOut(points + TemplateForm::step);
        EXPECT_FALSE(room.contains(form->form()->rect())) << "one step larger fits too";
        form->layOut(points);
    }
    const DialogUnits fontUnits(form->form()->font());
    EXPECT_GE(form->form()->width(), fontUnits.toPixelsX(editorFormSize.width()));
    EXPECT_GE(form->form()->height(), fontUnits.toPixelsY(editorFormSize.height()));
    expectControlsInPlace(form->form());

    // A long message of three lines leaves the form and the window as they
    // are: the status line shows its beginning, the tooltip and a screen
    // reader the whole of it.
    auto *status = static_cast<StatusLine *>(control(ControlId::StatusLine));
    dialog->layout()->activate();
    QApplication::processEvents();
    const QSize formSize = form->size(), windowSize = dialog->size(), statusSize = status->size();
    const std::string message = "The game folder /home/modder/games/tolvane/" + std::string(120, 'x')
                                + " does not exist (any more).\nChoose the game folder with File > Open Folder "
                                  "(Ctrl+O).\nThe classes in memory stay as they are.";
    dialog->setStatus(message);
    dialog->layout()->activate();
    QApplication::processEvents();
    EXPECT_EQ(form->size(), formSize);
    EXPECT_EQ(dialog->size(), windowSize);
    EXPECT_EQ(status->size(), statusSize);
    EXPECT_TRUE(dialog->rect().contains(status->geometry()));
    EXPECT_TRUE(status->shownText().endsWith(QChar(0x2026)));
    EXPECT_TRUE(QString::fromStdString(message).startsWith(status->shownText().chopped(1)));
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->shownText()), status->width());
    EXPECT_TRUE(status->toolTip().startsWith(QString::fromStdString(message)));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), QString::fromStdString(message));
    dialog->setStatus("Done");
    EXPECT_EQ(status->shownText(), QStringLiteral("Done"));
    EXPECT_TRUE(status->toolTip().startsWith(QStringLiteral("Done\n\nEarlier:\nThe game folder")));
    expectOnScreen(dialog.get(), true);

    AboutDialog about(dialog.get());
    about.show();
    expectOnScreen(&about);
    expectControlsInPlace(about.findChild<TemplateForm *>()->form());

    // The windows below do not scroll; in text three times the usual size,
    // they are wider than a small screen at twice the usual scale.
    if (systemPoints > 18)
        return;
    QStringList names;
    for (int i = 0; i < 64; ++i)
        names << QStringLiteral("Class %1").arg(i);
    GoToClassDialog goTo(names, 63, dialog.get());
    ReviewDialog review(
        QStringLiteral("Class Sniper: speed 1 -> 2\n").repeated(80), [] { return QString(); }, dialog.get());
    InventoryDialog inventory(
        QStringLiteral("Sniper"),
        [] {
            return InventoryDialog::Amounts{1, 2, 3};
        },
        [](int, std::int32_t) {}, dialog.get());
    for (QDialog *window : std::initializer_list<QDialog *>{&goTo, &review, &inventory}) {
        window->show();
        expectOnScreen(window);
        window->hide();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, FontScalingTest, ::testing::Values(9, 7, 13.5, 18, 27));

// Where even the smallest step does not fit, the form scrolls, and a box
// that takes the focus scrolls into view.
TEST_F(WindowTest, FormScrollsWhereTheSmallestStepDoesNotFit)
{
    auto *form = dialog->findChild<TemplateForm *>();
    form->fitInto(QSize(300, 200));
    EXPECT_EQ(form->points(), TemplateForm::minimumPoints);
    EXPECT_EQ(form->sizeHint(), QSize(300, 200));
    showDialog();
    dialog->resize(300, 200);
    QWidget *grenades = control(ControlId::Grenades);
    grenades->setFocus();
    EXPECT_TRUE(
        form->viewport()->rect().contains(QRect(grenades->mapTo(form->viewport(), QPoint()), grenades->size())));
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
    const Row rows[] = {{ControlId::Helmet, "", "a1-2 b3.", "123"},
                        {ControlId::Amount, "", "+7e1", "71"},
                        {ControlId::Health, "-5", "\b7", "-7"},
                        {ControlId::Speed, "", "1,5x", "1,5x"},
                        {ControlId::ClassName, "", "Medic -1", "Medic -1"}};
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
    auto *speed = control<QLineEdit>(ControlId::Speed);
    speed->setFocus();
    QTest::keyClicks(speed, QString(40, u'9'));
    EXPECT_GT(speed->text().size(), 5);
    EXPECT_LT(speed->text().size(), 40);
    EXPECT_LE(speed->fontMetrics().horizontalAdvance(speed->text()), speed->width());

    auto *configFile = control<QLineEdit>(ControlId::ConfigFile);
    configFile->setFocus();
    QTest::keyClicks(configFile, QString(60, u'W'));
    EXPECT_EQ(configFile->text().size(), 60);
}

} // namespace
