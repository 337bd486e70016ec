#pragma once

// The process entry: command line, single-instance lock, start-up and the
// main loop. Returns the process status when it returns at all (help,
// version, a bad option, a second copy); the orderly end is ExitProgram.
int ProgramEntry(int argc, char** argv);

// One frame of the main loop: the logic ticks the clock asks for, the drawing
// and the music rotation. -1 when the program is to end, else 1.
int RunFrame();
