#pragma once

// Ends the program at once with exit status 0: the event loop returns and the window closes
// with it. Nothing is asked and nothing is saved, because nothing is kept.
void endProgram();
