// The fields of an older-form command record (its decimal strings) mapped
// onto a CommandRecord, by the older form's own rules: text is typed,
// launches never wait, the sound's four values, "-1" for no key. Numbers read
// as the storage layer reads them (saturating, never atoi's overflow); a
// value outside its kind's table keeps the kind's default, and a function
// outside the tables is none, so that such a command does nothing. Portable.
#pragma once
#include "actions/command_record.h"
#include "actions/legacy_action_record.h"

// `command.fields` holds the kind's field count (ReadLegacyActionRecord
// guarantees it); a record of an unknown type gives a record of type -1.
CommandRecord CommandRecordFromLegacy(const LegacyCommandRecord& command);
