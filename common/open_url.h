// Opening a web address, mail address, FTP site or file with the program the
// system registers for its scheme.
#pragma once
#include <string>

// "file" for the path of an existing file or folder; else the scheme the URL splitter
// finds; else the scheme a text without one suggests (GuessUrlScheme).
std::string UrlSchemeOf(const std::string& text);

// Runs the open command registered under HKEY_CLASSES_ROOT for the text's
// scheme, with the text in place of its "%1". False when no command is
// registered or the program cannot be started.
bool OpenUrl(const std::string& text);
