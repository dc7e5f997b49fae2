#pragma once

#include <QLabel>

// The active team and the game folder at the right end of the status line:
// the whole text where it fits in half the window's width, else shortened
// in the middle, with the whole text as its tooltip and for screen readers.
class PlaceLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PlaceLabel(QWidget *window);

    void setPlace(const QString &text);
    QString place() const { return whole; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void shorten();

    QWidget *window;
    QString whole;
};
