#include "aboutdialog.h"

#include "templateform.h"

#include <QAbstractButton>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <vector>

namespace {

// The width of the modal frame drawn around the client area.
constexpr int frameWidth = 3;
constexpr int okButton = 1;

// The version, in a row of its own under the authors' requests; the box
// grows by that row. Its accessible name has more words than a screen reader
// skips in a dialog's text (Orca reads no text of fewer than three).
constexpr ControlTemplate versionRow[] = {
    {0, ControlKind::Label, "Version " TOLVANE_VERSION, 31, 218, 175, 8, NoFlags, 0, 0,
     "Version " TOLVANE_VERSION " of Tolvane Class Creator"},
};
constexpr QSize versionRowSize{0, 10};

std::span<const ControlTemplate> aboutControls()
{
    static const std::vector<ControlTemplate> controls = [] {
        std::vector<ControlTemplate> all(aboutTemplate().begin(), aboutTemplate().end());
        all.insert(all.end(), std::begin(versionRow), std::end(versionRow));
        return all;
    }();
    return controls;
}

} // namespace

AboutDialog::AboutDialog(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    // Not shown, but read out by screen readers.
    setWindowTitle(QStringLiteral("About Tolvane Class Creator \u00A9"));

    auto *client = new TemplateForm(aboutControls(), aboutTemplateSize + versionRowSize, "MS Sans Serif", this);
    const QHash<int, QWidget *> &controls = client->controls();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth, frameWidth, frameWidth, frameWidth);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client);

    auto *ok = static_cast<QAbstractButton *>(controls.value(okButton));
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}
