#pragma once

namespace kdx {

// Names the program to Qt and the desktop. Needs no application object yet, so
// that --version, answered without a display, knows the name too.
void nameApplication();

// Gives every window and box the window's classic font, so that start-up loads
// one font, not two. Needs the QApplication.
void useClassicFont();

// Whether the command line asks only for a text (--help, --version), which is
// answered without connecting to a display: over SSH and for help2man too.
bool asksOnlyForText(int argc, const char *const argv[]);

} // namespace kdx
