#pragma once

// What the program entry does to the application before it makes the window.

// Names the running program to the desktop: its name, its version and its desktop entry, which
// gives the window its icon and its place in the task bar.
void identifyApplication();

// Gives the whole program the window's font, before the window is made: a text box lays out its
// text once in the program's font before it takes its own, and the message box, a window of its
// own, speaks in the program's font. The tests, which make the window without the program entry,
// call it too.
void useWindowFontEverywhere();
