// The base of the seven command kinds a macro is made of. A command is a
// plain value: it can be compared, copied, written into its own storage and
// read back, and executed in the foreground application.
#pragma once
#include <objidl.h>

#include <memory>
#include <string>

#include "actions/command_record.h"

class ZCommand {
 public:
  virtual ~ZCommand() = default;
  // False when the kinds differ, else whether every stored field is equal.
  virtual bool equals(const ZCommand& other) const = 0;
  virtual int typeId() const = 0;
  // The kind's display name, from the program's string resources.
  virtual std::string typeName() const;
  virtual std::unique_ptr<ZCommand> clone() const = 0;
  // Performs the command in the foreground application; false stops the
  // macro that runs it.
  virtual bool execute() = 0;
  // Writes "Type" and the kind's streams into `storage`. Throws ZWriteError.
  virtual void save(IStorage* storage) const;

  // A new command of the kind with its defaults; null for an unknown id.
  static std::unique_ptr<ZCommand> create(int typeId);
  // Reads a command from its storage; an unknown "Type" throws ZReadError
  // (see ReadStoredCommand).
  static std::unique_ptr<ZCommand> load(IStorage* storage);
  // The command a record read from either file form describes, with its
  // strings in the forms the command keeps; null for an unknown type.
  static std::unique_ptr<ZCommand> fromRecord(const CommandRecord& record);

  // The "Type" value of a kind; null for an unknown id.
  static const char* storedTypeName(int typeId);

 protected:
  ZCommand() = default;
  ZCommand(const ZCommand&) = default;
  ZCommand& operator=(const ZCommand&) = default;
  // Writes the kind's own streams, after "Type".
  virtual void saveFields(IStorage* storage) const = 0;
  // A string of a record in the system code page, the form commands keep.
  static std::string ansiText(const CommandRecord& record, const std::string& text);
};

// Implements clone() and typeId() for a kind from its copy constructor.
template <class Derived, int kTypeId>
class ZCommandKind : public ZCommand {
 public:
  int typeId() const override { return kTypeId; }
  std::unique_ptr<ZCommand> clone() const override {
    return std::make_unique<Derived>(static_cast<const Derived&>(*this));
  }
};
