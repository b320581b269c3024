// The text work behind opening a URL with the handler registered for its
// scheme; portable, no registry or shell access.
#pragma once
#include <string>

// The scheme of a text that carries none: "www..." is a web address, "ftp..."
// an FTP site, anything with "@" a mail address, the rest a web address.
std::string GuessUrlScheme(const std::string& text);

// Whether a scheme name found by the URL splitter can be looked up in the
// registry as it is: letters, digits, "+", "-" and "." only.
bool IsPlainScheme(const std::string& scheme);

struct HandlerCommand {
  std::string program;     // without the quotes it may have had
  std::string parameters;  // after the program, leading blanks skipped
};

// Splits a registered handler command such as "\"C:\\Mail\\mail.exe\" /to %1"
// into the program and its parameters. A quoted program runs to the closing
// quote (or to the end when it has none), an unquoted one to the first blank.
HandlerCommand SplitHandlerCommand(const std::string& command);

// The parameters with their placeholder ("%1", the first "%" and the
// character after it) replaced by text; without a placeholder, a blank and
// text are appended.
std::string InsertIntoParameters(const std::string& parameters, const std::string& text);
