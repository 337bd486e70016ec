#pragma once

// The process entry: command line, single-instance lock, start-up and the
// main loop. Returns the process status when it returns at all (help,
// version, a bad option, a second copy); the orderly end is ExitProgram.
int ProgramEntry(int argc, char** argv);
