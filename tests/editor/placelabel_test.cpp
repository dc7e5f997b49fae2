// The active team and game folder at the end of the status line: whole where
// it fits, shortened in the middle where not, and asking for its whole width
// up to half the window's.

#include "placelabel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

struct PlaceRow
{
    const char *what;
    int windowWidth;
    qreal pointsAfter; // 0: the font stays
};

void PrintTo(const PlaceRow &row, std::ostream *out)
{
    *out << row.what;
}

class PlaceLabelTest : public ::testing::TestWithParam<PlaceRow>
{};

TEST_P(PlaceLabelTest, ShowsWhatFitsAndAsksForItsWholeWidth)
{
    const PlaceRow &row = GetParam();
    QWidget window;
    auto *status = new QHBoxLayout(&window);
    status->addWidget(new QLineEdit(&window), 1);
    auto *place = new PlaceLabel(&window);
    status->addWidget(place);
    QFont font = place->font();
    font.setPointSizeF(9);
    place->setFont(font);
    place->setPlace(QStringLiteral("Seals \u00B7 /home/player/Games/Tolvane Server/game folder"));
    window.resize(row.windowWidth, 40);
    window.show();
    if (row.pointsAfter) {
        font.setPointSizeF(row.pointsAfter);
        place->setFont(font);
        window.resize(row.windowWidth + 1, 40);
    }
    status->activate();
    const QFontMetrics metrics = place->fontMetrics();
    EXPECT_EQ(place->text(), metrics.elidedText(place->place(), Qt::ElideMiddle, place->contentsRect().width()));
    const QMargins margins = place->contentsMargins();
    EXPECT_EQ(
        place->sizeHint().width(),
        std::min(metrics.horizontalAdvance(place->place()) + margins.left() + margins.right() + 1, window.width() / 2));
}

const PlaceRow placeRows[] = {
    {"wide window", 1200, 0},
    {"narrow window", 300, 0},
    {"larger font in a window where the smaller one fitted", 1200, 24},
    {"smaller font in a window where the larger one did not fit", 520, 6},
};

INSTANTIATE_TEST_SUITE_P(Rows, PlaceLabelTest, ::testing::ValuesIn(placeRows));

} // namespace
