#pragma once

namespace kdx {

// Names the program to Qt and the desktop, and gives every window and box the
// window's classic font, so that start-up loads one font, not two.
void setUpApplication();

} // namespace kdx
