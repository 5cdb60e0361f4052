#pragma once

class QWidget;

// Names the running program to the desktop: its name, its version and its desktop entry, which
// gives the window its icon and its place in the task bar.
void identifyApplication();

// Places a top-level window in the middle of the screen it is on.
void centreOnScreen(QWidget &window);
