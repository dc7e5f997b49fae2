#pragma once

// Corrects, from now on, what Qt tells assistive technology of the focus and
// of the cursor in text boxes, where Orca 43 would read the wrong thing (see
// accessibleevents.cpp). Once is enough; calling again does nothing.
void correctAccessibleEvents();

// While one lives, what Qt tells of the text, cursor and selection of the
// one-line text boxes is held back: the window is filling them with another
// class, which Orca 43 read as "blank" and "Text unselected" in the box with
// the focus; the window says that box's new value itself.
class QuietTextBoxes
{
public:
    QuietTextBoxes();
    ~QuietTextBoxes();
    QuietTextBoxes(const QuietTextBoxes &) = delete;
    QuietTextBoxes &operator=(const QuietTextBoxes &) = delete;
};
