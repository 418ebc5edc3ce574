#pragma once

// The program entry: builds the application's windows and data modules in
// their order and runs the event loop until the main window closes.
int executarPrograma(int argc, char *argv[]);
