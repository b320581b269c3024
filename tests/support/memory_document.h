// An in-memory web page for the form-script tests and fuzz target: forms,
// elements and frames as plain records, with what a script did to them.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "actions/script_document.h"

struct MemoryElementData {
  explicit MemoryElementData(std::string elementName, std::string elementKind = "input", int form = -1)
      : name(std::move(elementName)), kind(std::move(elementKind)), owner(form) {}

  std::string name;
  std::string kind;  // "input", "textarea", "select" or anything else
  int owner;  // position of the form an input belongs to
  std::u16string value;
  int selectedIndex = -1;
  int clicks = 0;
};

struct MemoryFormData {
  std::string name;
  std::vector<int> elements;  // positions in the document's elements
  int submits = 0;
};

struct MemoryPage {
  std::vector<MemoryElementData> elements;
  std::vector<MemoryFormData> forms;
  std::vector<MemoryPage> frames;

  // Adds an element and, with `form` >= 0, lists it in that form.
  int add(MemoryElementData element, int form = -1) {
    if (form >= 0) {
      element.owner = form;
      forms[static_cast<size_t>(form)].elements.push_back(static_cast<int>(elements.size()));
    }
    elements.push_back(std::move(element));
    return static_cast<int>(elements.size()) - 1;
  }
};

namespace memory_document {

template <typename T>
T* At(std::vector<T>& items, int32_t position) {
  if (position < 0 || static_cast<size_t>(position) >= items.size()) return nullptr;
  return &items[static_cast<size_t>(position)];
}

class Form;

class Element : public ScriptElement {
 public:
  Element(MemoryPage& page, MemoryElementData& data) : page_(page), data_(data) {}
  bool setValue(const std::u16string& value) override {
    if (data_.kind != "input" && data_.kind != "textarea") return false;
    data_.value = value;
    return true;
  }
  bool setSelectedIndex(int32_t index) override {
    if (data_.kind != "select") return false;
    data_.selectedIndex = index;
    return true;
  }
  bool click() override {
    ++data_.clicks;
    return true;
  }
  bool isInputOf(const ScriptForm& form) const override;

 private:
  MemoryPage& page_;
  MemoryElementData& data_;
};

class Form : public ScriptForm {
 public:
  Form(MemoryPage& page, MemoryFormData& data) : page_(page), data_(data) {}
  std::unique_ptr<ScriptElement> element(const ScriptId& id) override {
    for (size_t i = 0; i < data_.elements.size(); ++i) {
      MemoryElementData& element = page_.elements[static_cast<size_t>(data_.elements[i])];
      if (id.byIndex ? static_cast<int32_t>(i) == id.index : element.name == id.name)
        return std::make_unique<Element>(page_, element);
    }
    return nullptr;
  }
  bool submit() override {
    ++data_.submits;
    return true;
  }
  const MemoryFormData& data() const { return data_; }

 private:
  MemoryPage& page_;
  MemoryFormData& data_;
};

inline bool Element::isInputOf(const ScriptForm& form) const {
  const auto* memoryForm = dynamic_cast<const Form*>(&form);
  return memoryForm && data_.kind == "input" && data_.owner >= 0 &&
         &page_.forms[static_cast<size_t>(data_.owner)] == &memoryForm->data();
}

class Document : public ScriptDocument {
 public:
  explicit Document(MemoryPage& page) : page_(page) {}
  std::unique_ptr<ScriptForm> form(const ScriptId& id) override {
    for (size_t i = 0; i < page_.forms.size(); ++i)
      if (id.byIndex ? static_cast<int32_t>(i) == id.index : page_.forms[i].name == id.name)
        return std::make_unique<Form>(page_, page_.forms[i]);
    return nullptr;
  }
  std::unique_ptr<ScriptElement> element(const ScriptId& id) override {
    if (id.byIndex) {
      MemoryElementData* element = At(page_.elements, id.index);
      return element ? std::make_unique<Element>(page_, *element) : nullptr;
    }
    return namedElement(id.name, 0);
  }
  std::unique_ptr<ScriptElement> namedElement(const std::string& name, int32_t occurrence) override {
    for (MemoryElementData& element : page_.elements)
      if (element.name == name && occurrence-- == 0) return std::make_unique<Element>(page_, element);
    return nullptr;
  }
  std::unique_ptr<ScriptDocument> frame(int32_t position) override {
    MemoryPage* frame = At(page_.frames, position);
    return frame ? std::make_unique<Document>(*frame) : nullptr;
  }

 private:
  MemoryPage& page_;
};

}  // namespace memory_document

// The browser over a page; records the keys pressed.
class MemoryBrowser : public ScriptBrowser {
 public:
  explicit MemoryBrowser(MemoryPage* page) : page_(page) {}
  std::unique_ptr<ScriptDocument> document() override {
    return page_ ? std::make_unique<memory_document::Document>(*page_) : nullptr;
  }
  void pressKey(ScriptKey key, int32_t count) override { presses.emplace_back(key, count); }

  std::vector<std::pair<ScriptKey, int32_t>> presses;

 private:
  MemoryPage* page_;
};
