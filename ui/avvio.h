// Start-up procedure of the program.
#pragma once

#include <QString>

namespace ui {

// Runs the start-up steps with the command-line text and the program folder;
// returns 0 when the program goes on into its event loop, a non-zero exit
// status when it must end (the product database cannot be opened).
int Avvia(const QString& comando, const QString& cartella);

// The program's start-up from its real command line and executable.
int Main(int argc, char** argv);

}  // namespace ui
