// The profile dialogs: the password prompt (309), the profile chooser (336),
// the profile editor (280) and the password change (308).
#pragma once
#include <windows.h>

#include <string>

#include "common/key_block.h"

// Dialog 309, kept open until the typed password opens `passwordFile` (true,
// `key` set to the accepted key block) or the user cancels (false).
bool AskProfilePassword(HWND owner, const std::string& profileName, const std::string& passwordFile, ZKeyBlock& key);

// Dialog 336: the user picks a profile, which is selected; a refused
// password keeps the dialog open. False on Cancel.
bool ChooseProfile(HWND owner);

// Dialog 280, then creation of the profile, its selection and the reloading
// of the active plug-ins. False on Cancel or when the profile could not be made.
bool RunProfileEditor(HWND owner);

// Dialog 308 and the re-encryption of the current profile. False on Cancel,
// and when the change could not be made (the user is told; nothing changed).
bool RunChangePassword(HWND owner);

// The rules of the dialogs' OK buttons.
struct ZProfileEditorInput {
  std::string name, password, confirmation;
  bool passwordProtected = false;
};
bool ProfileEditorInputIsValid(const ZProfileEditorInput& input);
