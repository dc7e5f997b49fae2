#include "aboutdialog.h"

#include "templateform.h"

#include <QAbstractButton>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

namespace {

// The width of the modal frame drawn around the client area.
constexpr int frameWidth = 3;
constexpr int okButton = 1;

} // namespace

AboutDialog::AboutDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    // Not shown, but read out by screen readers.
    setWindowTitle(QStringLiteral("About Tolvane Class Creator \u00A9"));

    auto *client = new TemplateForm(aboutTemplate(), aboutTemplateSize, "MS Sans Serif", this);
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
