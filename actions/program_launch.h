// Starting a program or opening a document for the launch command.
#pragma once
#include <windows.h>

#include <string>

// Window styles of the launch command: 0 Normal, 1 Minimized, 2 Maximized.
// Anything else is shown normally.
int LaunchShowCommand(int windowStyle);

// The command line of a program started and waited for: the path in double
// quotes (so that blanks in it do not split it), a blank, the parameters.
std::string LaunchCommandLine(const std::string& path, const std::string& parameters);

// Without wait: opens `path` through the shell with its default verb. With
// wait: starts it as a process in `directory` ("C:\" when empty) and returns
// once it waits for input. Failures are not reported: always true, so that
// the macro goes on.
bool LaunchProgram(const std::string& path, const std::string& parameters,
                   const std::string& directory, int windowStyle, bool wait);
