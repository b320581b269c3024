// Reader for the fragment of the clipboard's "HTML Format": the header names
// the byte offsets of the fragment ("StartFragment:", "EndFragment:"); the
// fragment is shown to the user as plain text, without its tags and with its
// character references replaced.
#pragma once
#include <cstddef>
#include <string>

// Reads the fragment of `size` bytes of clipboard data. The bytes of the
// fragment are UTF-8 (the format's definition); "&#NNN;" gives the character
// NNN, "&quot;", "&amp;", "&lt;", "&gt;" their characters and any other name a
// blank. Returns false, leaving `text` untouched, when either offset is
// missing, not a number, beyond the data, or when the end lies before the
// start. Never reads outside `data[0, size)`.
bool ReadHtmlFragment(const char* data, size_t size, std::u16string& text);
