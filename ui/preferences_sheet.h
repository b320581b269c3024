// The preferences: a property sheet (caption string 40273) with the Drawing
// page (dialog 155: drawing button, drag sensitivity, symbol tolerance,
// recognizer), the
// Misc. page (156: start-up and hiding) and the Capture page (the
// applications where capture is off, the pause in full screen). The settings
// record changes only when the sheet is closed with OK, and then takes
// effect at once.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/settings.h"
#include "resources/zavotra_ids.h"

// False only when the sheet could not be shown. `changed`, when given, tells
// whether OK changed any setting.
bool OpenPreferences(HWND owner, bool* changed = nullptr);

// The entries of the "Drawing button :" list in their order, with the
// DrawButton value each stands for.
struct ZDrawButtonChoice {
  UINT nameId;
  int32_t value;
};
constexpr ZDrawButtonChoice kDrawButtonChoices[] = {
    {IDS_DRAW_BUTTON_RIGHT, -1}, {IDS_DRAW_BUTTON_MIDDLE, 0}, {IDS_DRAW_BUTTON_LEFT, 1}};

// The entries of the "Recognizer :" list in their order.
struct ZRecognizerEntry {
  UINT nameId;
  ZRecognizerChoice value;
};
constexpr ZRecognizerEntry kRecognizerEntries[] = {{IDS_RECOGNIZER_STANDARD, ZRecognizerChoice::kStandard},
                                                   {IDS_RECOGNIZER_PRECISE, ZRecognizerChoice::kPrecise}};
