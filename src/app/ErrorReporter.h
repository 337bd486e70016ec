#pragma once
#include <exception>
#include <functional>
#include <string>

// The game's error reporter and its one way out.
//
// ShowError (platform/ErrorReport.h) reaches GameShowError once
// InstallErrorReporter ran: the message is shown (an in-window box while
// ErrorsInGraphics is 1 and the drawing surface exists, else the system
// message box), written whole to ErrorLogFolder + "ErrorLog.txt" with the
// date and time when ErrorLogEnabled is 1 (a log that cannot be written never
// stops the message), and a fatal error ends the process at once, without
// the steps of ExitProgram.
void InstallErrorReporter();
void GameShowError(const std::string& message, int fatal);
// The text of the error log for `message` at the current local time.
std::string ErrorLogText(const std::string& message);

// Ends the program: good-exit marker, audio released, system pointer shown,
// the session hook (the layers above save their session options there), and
// the process ends with `status` (0 for an ordinary end, 1 after an error).
[[noreturn]] void ExitProgram(int status = 0);
// Run before ExitProgram ends the process; installed by start-up once the
// session's options file has been loaded.
extern std::function<void()> ExitProgramHook;

// The handler of an error that escaped the main loop: closes the surface,
// shows "(<StartupStage>) <text>" (the text alone when the stage is 0), then
// ExitProgram.
[[noreturn]] void ReportUncaughtError(const std::exception& error);
[[noreturn]] void ReportUncaughtError(const std::string& text);
// The message ReportUncaughtError shows for a run-time error's text.
std::string UncaughtErrorMessage(const std::string& text);

// Draws text for the in-window error box (installed by the layer owning the
// fonts); (x, y) is the centre of the text.
extern std::function<void(int x, int y, const std::string& text)> ErrorTextHook;
