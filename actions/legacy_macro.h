// Actions of the older sequential form as macros. Every action of that form
// is a ZMacro; its commands follow the older form's own rules
// (legacy_command_fields.h).
#pragma once
#include <memory>

#include "actions/legacy_action_record.h"
#include "actions/legacy_stream.h"
#include "actions/macro.h"

std::unique_ptr<ZMacro> MacroFromLegacyRecord(const LegacyActionRecord& record);

// Reads one action record and leaves the position on the 0xFF that ends its
// commands. Throws ZReadError (see ReadLegacyActionRecord).
std::unique_ptr<ZMacro> ReadLegacyMacro(LegacyStream& stream);
