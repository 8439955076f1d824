// Start-up procedure of the program.
#pragma once

namespace ui {

// Runs the start-up steps; returns 0 when the program goes on into its event
// loop, a non-zero exit status when it must end.
int Main(int argc, char** argv);

}  // namespace ui
