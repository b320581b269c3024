// The settings file and the usage counter files of a profile, always
// encrypted with the profile's key block.
#pragma once
#include <string>

#include "common/key_block.h"
#include "common/settings.h"
#include "shell/usage_counters.h"

// The record of a file that has none of the keys: the fixed defaults, with
// "NCx" the clock now and "SoundTheme" the default theme's name (string 251).
ZSettings DefaultSettings();

// Fills `settings` from the file; a missing or undecryptable file gives
// every default.
void LoadSettings(const std::string& path, const ZKeyBlock& key, ZSettings& settings);
// Forces "FirstTime" off, writes the whole record and encrypts it.
bool SaveSettings(const std::string& path, const ZKeyBlock& key, ZSettings& settings);

// A missing or unreadable file gives an empty table.
void LoadCounters(const std::string& path, const ZKeyBlock& key, ZUsageCounters& table);
bool SaveCounters(const std::string& path, const ZKeyBlock& key, const ZUsageCounters& table);
