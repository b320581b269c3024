// The fixed table of event sounds: event number 0 to 78 and the string
// resource of each name, as the sound theme dialogs and the action editor list
// them.
#pragma once

constexpr int kEventSoundCount = 79;

// Event numbers that the program itself plays.
constexpr int kEventStartup = 0;
constexpr int kEventSymbolRecognized = 47;
constexpr int kEventSymbolNotRecognized = 48;
constexpr int kEventSmartUpdate = 49;
constexpr int kEventPluginInstalled = 50;
// A web service's own sound is this number plus the service's number.
constexpr int kEventServiceBase = 1024;

// String resource of an event's name; 0 outside 0..78.
int EventSoundNameId(int event);
