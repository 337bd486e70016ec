#pragma once
#include <string>

// The game's one error reporter, reachable from every layer. The application
// installs the full reporter (message box, error log, fatal end) at start-up;
// until then, and in tests, the default prints to standard error and ends the
// process when the error is fatal. Tests may install a handler that throws.
using ErrorHandler = void (*)(const std::string& message, int fatal);

void SetErrorHandler(ErrorHandler handler);
ErrorHandler GetErrorHandler();

// Shows `message`; when `fatal` is non-zero the program ends (the handler
// never returns then).
void ShowError(const std::string& message, int fatal);
