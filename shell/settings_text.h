// The settings file's text form: one "key TAB value" line per field.
// Portable so that the parser can be tested and fuzzed natively; the file
// layer around it (decryption, the defaults that need the clock and the
// string table) lives in settings_file.*.
#pragma once
#include <map>
#include <string>
#include <string_view>

#include "common/settings.h"

// Key to value, as found in the text. Keys are compared exactly (case
// matters). A key that appears twice keeps its first value, as the other
// text tables of the profile do. A line without a tab carries no value and is
// skipped.
std::map<std::string, std::string> ParseSettingsText(std::string_view text);

// The record that the text describes: every field whose key is present with
// a well-formed value, the field of `defaults` otherwise. A bool is only
// "true" or "false"; an int or 64-bit value is read like atoi reads it.
// The applications where capture is off are "CaptureOff1", "CaptureOff2",
// ... up to the first number missing, each "class TAB caption" escaped.
// "Recognizer" is "Standard" or "Precise"; anything else is the default.
ZSettings SettingsFromText(std::string_view text, const ZSettings& defaults);

// Reversible escapes for texts that may hold anything (window captions):
// backslash, tab, carriage return, line feed and NUL become two characters
// each. Unescaping leaves a backslash before anything else as it stands.
std::string EscapeSettingText(const std::string& text);
std::string UnescapeSettingText(const std::string& text);

// The text written for a record, in the file's fixed key order. The caller
// forces "FirstTime" off before saving; this writes what it is given. The
// capture exceptions, "PauseInFullScreen" and "Recognizer" follow, only when
// they differ from the defaults.
std::string SettingsToText(const ZSettings& settings);
