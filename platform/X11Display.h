#pragma once

#include <string>

// The display Qt's xcb platform will open: the value of a "-display" argument, else nullptr
// (then $DISPLAY).
const char *x11DisplayArgument(int argc, char **argv);

// Why the program cannot run on that display, as one line for the user, or an empty text where
// it can. Checked before Qt starts: Qt aborts without a server or on a screen the server does
// not have, and its widgets crash on a screen without true colours.
std::string x11DisplayFault(const char *displayName);
