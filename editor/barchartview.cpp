#include "barchartview.h"

#include "dialogunits.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#ifdef TOLVANE_SVG
#include <QSvgGenerator>
#endif

#include <algorithm>
#include <cmath>

using namespace tolvane;

namespace {

struct TeamLook
{
    QColor fill;
    QColor edge;
    Qt::BrushStyle hatch;
    QColor mean; // the mean's line and label, unlike any bar's colour
    Qt::PenStyle meanLine;
};

TeamLook lookOf(tolvane::Team team)
{
    if (team == tolvane::Team::Seals)
        return {QColor(70, 120, 190), QColor(25, 55, 100), Qt::NoBrush, QColor(10, 30, 160), Qt::DashLine};
    return {QColor(240, 170, 90), QColor(130, 65, 0), Qt::BDiagPattern, QColor(190, 60, 0), Qt::DotLine};
}

void fillBar(QPainter &painter, const QRectF &bar, tolvane::Team team)
{
    const TeamLook look = lookOf(team);
    painter.setPen(QPen(look.edge, 1));
    painter.setBrush(look.fill);
    painter.drawRect(bar);
    if (look.hatch != Qt::NoBrush)
        painter.fillRect(bar, QBrush(look.edge, look.hatch));
}

QString textOf(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QString teamText(tolvane::Team team)
{
    const std::string_view name = tolvane::teamName(team);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

// The sizes of the chart's parts for a font on a device.
struct BarChartView::Measures
{
    double row = 0;        // a line of text with room around it
    double margin = 0;     // an average letter's width
    double labelWidth = 0; // the longest class name, whole
    double valueWidth = 0; // the widest value beside a bar
    double tickWidth = 0;  // the widest tick text of the chart's scale
    double left = 0;       // where the bars' area begins
    double rightPad = 0;   // room right of the bars' area
    double minimumWidth = 0;
    double roomyWidth = 0;  // with room for long bars
    double fixedHeight = 0; // all but the bars

    double height(std::size_t bars) const { return fixedHeight + row * double(bars); }
};

BarChartView::BarChartView(QWidget *parent) : QWidget(parent)
{
    setAccessibleDescription(tr("Bar chart, highest value first; the table beside it lists the same values"));
}

void BarChartView::setChart(const tolvane::BarChart &chart)
{
    shown = chart;
    setAccessibleName(textOf(chart.title));
    setMinimumSize(minimumSizeHint());
    updateGeometry();
    update();
}

BarChartView::Measures BarChartView::measure(const QPaintDevice *device) const
{
    const QFontMetricsF metrics(font(), device);
    Measures m;
    m.row = std::ceil(metrics.height() * 4 / 3);
    // The letters' own mean width: averageCharWidth() on a picture's device
    // under Wine gives the font's design units (1260), which shrank a saved
    // chart into its top pixels.
    m.margin = metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz")) / 26;
    const auto widest = [&](const auto &items, auto text) {
        double width = 0;
        for (const auto &item : items)
            width = std::max(width, metrics.horizontalAdvance(textOf(text(item))));
        return width;
    };
    m.labelWidth = widest(shown.bars, [](const ChartBar &bar) { return bar.label; });
    m.valueWidth = widest(shown.bars, [](const ChartBar &bar) { return bar.text; });
    m.tickWidth = widest(shown.axis.ticks, [](const AxisTick &tick) { return tick.text; });
    const double meanWidth = widest(shown.means, [](const TeamMean &mean) { return mean.label; });
    double legendWidth = 0;
    for (tolvane::Team team : {tolvane::Team::Seals, tolvane::Team::Tangos})
        legendWidth += m.row * 1.5 + m.margin * 2.5 + metrics.horizontalAdvance(teamText(team));
    legendWidth += m.margin;

    m.left = m.margin * 2 + m.labelWidth;
    m.rightPad = std::max(m.valueWidth + m.margin, m.tickWidth / 2) + m.margin;
    const double bars = std::max(m.margin * 12, (m.tickWidth + m.margin * 2) * 2);
    const double title = QFontMetricsF(boldOf(font()), device).horizontalAdvance(textOf(shown.title));
    m.minimumWidth = std::ceil(
        std::max({m.left + bars + m.rightPad, title + m.margin * 2, legendWidth + m.margin, meanWidth + m.margin * 2,
                  metrics.horizontalAdvance(textOf(shown.valueTitle)) + m.margin * 2}));
    m.roomyWidth = std::max(m.minimumWidth, m.left + std::max(bars, m.margin * 50) + m.rightPad);
    // The title, the legend, a row for each mean's label; under the bars
    // the tick marks, their texts, the value's title and a little room.
    m.fixedHeight = m.row * (2 + double(shown.means.size())) + m.row / 4 + m.row * 2 + m.row / 2;
    return m;
}

QSize BarChartView::minimumSizeHint() const
{
    const Measures m = measure(this);
    return {int(m.minimumWidth), int(std::ceil(m.height(shown.bars.size())))};
}

QSize BarChartView::sizeHint() const
{
    return minimumSizeHint().expandedTo(QSize(int(letterWidth(fontMetrics()) * 70), 0));
}

void BarChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter, size(), palette().color(QPalette::WindowText), false);
}

QImage BarChartView::picture(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image; // no memory for it: saved as nothing, which the session refuses
    // The screen's text size, whatever the picture's resolution would be.
    image.setDotsPerMeterX(int(std::lround(logicalDpiX() / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(logicalDpiY() / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    render(painter, size, Qt::black, true);
    return image;
}

QByteArray BarChartView::svg(QSize size) const
{
    QByteArray bytes;
#ifdef TOLVANE_SVG
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(logicalDpiY());
    generator.setTitle(textOf(shown.title));
    generator.setDescription(accessibleDescription());
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    render(painter, size, Qt::black, true);
#else
    Q_UNUSED(size);
#endif
    return bytes;
}

void BarChartView::render(QPainter &painter, QSizeF size, const QColor &text, bool fill) const
{
    painter.setFont(font());
    const Measures m = measure(painter.device());
    const double height = m.height(shown.bars.size());
    const double fits = std::min(size.width() / m.minimumWidth, size.height() / height);
    // A larger picture grows the chart until its bars have room enough.
    const double grows = std::min(size.width() / m.roomyWidth, size.height() / height);
    const double scale = std::min(fits, fill ? std::max(1.0, grows) : 1.0);
    painter.scale(scale, scale);
    draw(painter, m, size / scale, text);
}

void BarChartView::draw(QPainter &painter, const Measures &m, QSizeF size, const QColor &text) const
{
    const QFontMetricsF metrics(font(), painter.device());
    const double row = m.row, margin = m.margin, width = size.width();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto line = [&](double top, double height) { return QRectF(margin, top, width - 2 * margin, height); };

    painter.setFont(boldOf(font()));
    painter.setPen(text);
    painter.drawText(line(0, row), Qt::AlignLeft | Qt::AlignVCenter, textOf(shown.title));
    painter.setFont(font());

    // The legend: each team's look and its name.
    double x = margin;
    for (tolvane::Team team : {tolvane::Team::Seals, tolvane::Team::Tangos}) {
        fillBar(painter, QRectF(x, row + row / 4, row * 1.5, row / 2), team);
        x += row * 1.5 + margin / 2;
        const QString name = teamText(team);
        painter.setPen(text);
        painter.drawText(QRectF(x, row, metrics.horizontalAdvance(name) + 1, row), Qt::AlignVCenter, name);
        x += metrics.horizontalAdvance(name) + 2 * margin;
    }

    // The bars take the room the rest leaves, up to twice a row each.
    const std::size_t count = shown.bars.size();
    const double spare = size.height() - m.fixedHeight;
    const double barRow = count == 0 ? row : std::clamp(spare / double(count), row, row * 2);
    const double barsTop = row * (2 + double(shown.means.size())), barsBottom = barsTop + barRow * double(count);
    const double left = m.left, right = std::max(left + 1, width - m.rightPad);
    // As many ticks as their texts leave room for.
    BarChart chart = shown;
    const int fit = std::max(2, int((right - left) / (m.tickWidth + 2 * margin)) + 1);
    if (std::size_t(fit) < chart.axis.ticks.size())
        chart.axis = valueAxis(chart.low, chart.high, fit);
    const auto at = [&](double value) { return left + chart.place(value) * (right - left); };

    const QColor grid(text.red(), text.green(), text.blue(), 40);
    painter.setPen(QPen(grid, 1));
    for (const AxisTick &tick : chart.axis.ticks)
        painter.drawLine(QPointF(at(tick.value), barsTop), QPointF(at(tick.value), barsBottom));
    const double zero = at(0);
    painter.setPen(QPen(text, 1));
    painter.drawLine(QPointF(zero, barsTop), QPointF(zero, barsBottom));

    double y = barsTop;
    for (const tolvane::ChartBar &bar : chart.bars) {
        painter.setPen(text);
        painter.drawText(QRectF(margin, y, m.labelWidth, barRow), Qt::AlignRight | Qt::AlignVCenter, textOf(bar.label));
        double end = zero;
        if (std::isfinite(bar.value)) {
            end = at(bar.value);
            const QPointF from(std::min(zero, end), y + barRow * 0.15), to(std::max(zero, end), y + barRow * 0.85);
            fillBar(painter, QRectF(from, to), bar.team);
        }
        painter.setPen(text);
        painter.drawText(QRectF(std::max(zero, end) + margin / 2, y, m.valueWidth + margin, barRow),
                         Qt::AlignLeft | Qt::AlignVCenter, textOf(bar.text));
        y += barRow;
    }

    // Each team's mean: a line from its label's row through the bars. The
    // lowest mean's label comes first, so that no line crosses a label.
    std::ranges::stable_sort(chart.means, {}, &TeamMean::value);
    double labelTop = row * 2;
    for (const TeamMean &mean : chart.means) {
        const TeamLook look = lookOf(mean.team);
        const double meanX = at(mean.value);
        painter.setPen(QPen(look.mean, 2, look.meanLine));
        painter.drawLine(QPointF(meanX, labelTop + row / 2), QPointF(meanX, barsBottom));
        const QString label = textOf(mean.label);
        const double labelWidth = metrics.horizontalAdvance(label) + 2;
        double labelX = meanX + margin / 2;
        if (labelX + labelWidth > width - margin)
            labelX = std::max(margin, meanX - margin / 2 - labelWidth);
        painter.setPen(look.mean);
        painter.drawText(QRectF(labelX, labelTop, labelWidth, row), Qt::AlignLeft | Qt::AlignVCenter, label);
        labelTop += row;
    }

    // The value axis: its line, a mark and a text at each tick, its title.
    painter.setPen(QPen(text, 1));
    painter.drawLine(QPointF(left, barsBottom), QPointF(right, barsBottom));
    for (const AxisTick &tick : chart.axis.ticks) {
        const double tickX = at(tick.value), tickWidth = metrics.horizontalAdvance(textOf(tick.text)) + 2;
        painter.drawLine(QPointF(tickX, barsBottom), QPointF(tickX, barsBottom + row / 4));
        painter.drawText(QRectF(tickX - tickWidth / 2, barsBottom + row / 4, tickWidth, row), Qt::AlignCenter,
                         textOf(tick.text));
    }
    const QString valueTitle = textOf(chart.valueTitle);
    const double titleWidth = metrics.horizontalAdvance(valueTitle) + 2;
    const double titleX = std::clamp((left + right - titleWidth) / 2, margin,
                                     std::max(margin, width - margin - titleWidth));
    painter.drawText(QRectF(titleX, barsBottom + row / 4 + row, titleWidth, row), Qt::AlignCenter, valueTitle);
}
