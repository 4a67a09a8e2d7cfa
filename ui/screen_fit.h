#pragma once

class QWidget;

// Keeps a fixed-size window usable on a screen too small for it (a small display, or a large
// scale factor): when the available area of the window's screen cannot hold the window and its
// frame, the window's controls move into a scroll area, the window shrinks to the area and is
// placed inside it, so that every control can be scrolled to. When the area holds the window,
// nothing changes: the controls stay the window's direct children.
void fitIntoScreen(QWidget* window);
