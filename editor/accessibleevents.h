#pragma once

// Corrects, from now on, what Qt tells assistive technology of the focus and
// of the cursor in text boxes, where Orca 43 would read the wrong thing (see
// accessibleevents.cpp). Once is enough; calling again does nothing.
void correctAccessibleEvents();
