#pragma once

#include <QLineEdit>

// The status line along the bottom of the window: read-only text without a
// frame that wraps onto as many lines as its message needs at its width, so
// that no message is cut. It stays a line edit, which screen readers know as
// the window's status bar.
class StatusLine : public QLineEdit
{
public:
    explicit StatusLine(QWidget *parent);

    // The height the text takes at width: one line at least, and as many as
    // it needs up to a quarter of the screen.
    int heightFor(int width) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect textArea(QRect rect) const;
    int textHeightFor(int width) const;
    void fitHeight();
};
