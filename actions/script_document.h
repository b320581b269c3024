// What a form script sees of a web page: documents with their forms, their
// elements and their frames. The browser adapter implements it over the
// browser's automation interfaces; tests implement it in memory. Every
// lookup returns null for "there is none".
#pragma once
#include <cstdint>
#include <memory>
#include <string>

// How a script names a form or an element: by its position or by its name.
struct ScriptId {
  bool byIndex = true;
  int32_t index = 0;
  std::string name;  // UTF-8, as the script holds it
};

class ScriptForm;

class ScriptElement {
 public:
  virtual ~ScriptElement() = default;
  // Sets the text of an input or text-area element; false for other kinds.
  virtual bool setValue(const std::u16string& value) = 0;
  // Chooses an option of a select element; false for other kinds.
  virtual bool setSelectedIndex(int32_t index) = 0;
  virtual bool click() = 0;
  // Whether this is an input element whose form is `form`.
  virtual bool isInputOf(const ScriptForm& form) const = 0;
};

class ScriptForm {
 public:
  virtual ~ScriptForm() = default;
  virtual std::unique_ptr<ScriptElement> element(const ScriptId& id) = 0;
  virtual bool submit() = 0;
};

class ScriptDocument {
 public:
  virtual ~ScriptDocument() = default;
  virtual std::unique_ptr<ScriptForm> form(const ScriptId& id) = 0;
  // An element of the whole document (its all-collection).
  virtual std::unique_ptr<ScriptElement> element(const ScriptId& id) = 0;
  // The `occurrence`-th element (from 0) of the document named `name`.
  virtual std::unique_ptr<ScriptElement> namedElement(const std::string& name, int32_t occurrence) = 0;
  // The document of the `position`-th embedded frame (from 0).
  virtual std::unique_ptr<ScriptDocument> frame(int32_t position) = 0;
};

enum class ScriptKey { Return, Tab };

// The browser window the script drives.
class ScriptBrowser {
 public:
  virtual ~ScriptBrowser() = default;
  virtual std::unique_ptr<ScriptDocument> document() = 0;
  // Brings the browser window to the foreground, then presses and releases
  // `key` `count` times.
  virtual void pressKey(ScriptKey key, int32_t count) = 0;
};
