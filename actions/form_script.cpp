#include "actions/form_script.h"

#include <algorithm>
#include <cstring>

#include "actions/script_tokenizer.h"
#include "common/secure_wipe.h"
#include "common/utf8.h"

namespace {

// Elements of one name looked at while searching for the one of a form: a
// page is not trusted to end its collection.
constexpr int32_t kMaxNamedElements = 4096;

using Type = ScriptTokenType;

// The pair number after `prefix` when `value` is prefix, digits, "%".
bool StoredPairIndex(const std::string& value, const char* prefix, size_t& index) {
  const size_t length = std::strlen(prefix);
  if (value.compare(0, length, prefix) != 0) return false;
  size_t at = length;
  size_t number = 0;
  bool digits = false;
  for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at) {
    digits = true;
    number = std::min<size_t>(number * 10 + static_cast<size_t>(value[at] - '0'), SIZE_MAX / 16);
  }
  if (!digits || at >= value.size() || value[at] != '%') return false;
  index = number;
  return true;
}

class ScriptRun {
 public:
  ScriptRun(const std::string& script, ScriptBrowser& browser, const ScriptContext& context)
      : tokens_(script), browser_(browser), context_(context) {}

  bool run() {
    std::unique_ptr<ScriptDocument> top = browser_.document();
    if (!top) return false;
    bool result = true;
    for (advance(); token_.type != Type::End; advance()) {
      if (!statement(*top, result)) return false;
      skipToSemicolon();
    }
    return result;
  }

 private:
  void advance() { token_ = tokens_.next(); }

  // Takes the current token when it has `type`, else throws `message`.
  ScriptToken expect(Type type, const char* message) {
    if (token_.type != type) throw ZScriptError(message);
    ScriptToken taken = std::move(token_);
    advance();
    return taken;
  }

  void skipToSemicolon() {
    while (token_.type != Type::Semicolon) {
      if (token_.type == Type::End) throw ZScriptError("Expecting ';'");
      advance();
    }
  }

  // One statement from the current token; false when a frame step failed,
  // which ends the script. `result` takes a forms or elements statement's.
  bool statement(ScriptDocument& top, bool& result) {
    if (token_.isWord("ENTER")) return pressKey(ScriptKey::Return, 1);
    if (token_.isWord("TAB")) return pressKey(ScriptKey::Tab, 1);
    if (token_.isWord("TABS")) return tabs();
    std::unique_ptr<ScriptDocument> frame;
    ScriptDocument* document = &top;
    while (token_.isWord("frames")) {
      advance();
      expect(Type::OpenBracket, "Expecting '['");
      const int32_t position = expect(Type::Number, "Bad frame identifier, must be a number").number;
      expect(Type::CloseBracket, "Expecting ']'");
      expect(Type::Dot, "Expecting '.'");
      frame = document->frame(position);
      if (!frame) return false;
      document = frame.get();
    }
    if (token_.isWord("forms")) {
      advance();
      result = formsStatement(*document);
    } else if (token_.isWord("elements")) {
      advance();
      const ScriptId id = identifier("Bad element identifier, must be a number or a string");
      std::unique_ptr<ScriptElement> element = document->element(id);
      result = element && elementStatement(*element);
    } else {
      throw ZScriptError("Expecting either \"forms\" or \"elements\"");
    }
    return true;
  }

  bool pressKey(ScriptKey key, int32_t count) {
    browser_.pressKey(key, count);
    advance();
    return true;
  }

  bool tabs() {
    advance();
    expect(Type::Open, "Expecting '('");
    const int32_t count = expect(Type::Number, "Bad count, must be a number").number;
    if (token_.type != Type::Close) throw ZScriptError("Expecting ')'");
    browser_.pressKey(ScriptKey::Tab, std::min(count, kMaxScriptTabs));
    advance();
    return true;
  }

  // "[" id "]" ".", with the id a number (a position) or a word (a name).
  ScriptId identifier(const char* badIdentifier) {
    expect(Type::OpenBracket, "Expecting '['");
    ScriptId id;
    if (token_.type == Type::Number) {
      id.index = token_.number;
    } else if (token_.type == Type::Word) {
      id.byIndex = false;
      id.name = token_.text;
    } else {
      throw ZScriptError(badIdentifier);
    }
    advance();
    expect(Type::CloseBracket, "Expecting ']'");
    expect(Type::Dot, "Expecting '.'");
    return id;
  }

  bool formsStatement(ScriptDocument& document) {
    const ScriptId formId = identifier("Bad form identifier, must be a number or a string");
    std::unique_ptr<ScriptForm> form = document.form(formId);
    if (!form) return false;
    if (token_.isWord("elements")) {
      advance();
      const ScriptId id = identifier("Bad element identifier, must be a number or a string");
      std::unique_ptr<ScriptElement> element = form->element(id);
      if (!element && !id.byIndex) element = namedInputOf(document, *form, id.name);
      return element && elementStatement(*element);
    }
    const std::string method = call();
    if (method == "submit") form->submit();
    return true;
  }

  // The first element of the document named `name` that is an input of
  // `form`, for a form that does not list it itself.
  std::unique_ptr<ScriptElement> namedInputOf(ScriptDocument& document, const ScriptForm& form,
                                              const std::string& name) {
    for (int32_t occurrence = 0; occurrence < kMaxNamedElements; ++occurrence) {
      std::unique_ptr<ScriptElement> element = document.namedElement(name, occurrence);
      if (!element) return nullptr;
      if (element->isInputOf(form)) return element;
    }
    return nullptr;
  }

  // word "(" ")": returns the word.
  std::string call() {
    std::string method = expect(Type::Word, "Expecting an identifier").text;
    expect(Type::Open, "Expecting '('");
    if (token_.type != Type::Close) throw ZScriptError("Expecting ')'");
    advance();
    return method;
  }

  bool elementStatement(ScriptElement& element) {
    if (token_.isWord("value")) {
      advance();
      expect(Type::Equals, "Expecting '='");
      if (token_.type != Type::Word && token_.type != Type::Number)
        throw ZScriptError("Expecting an integer or a string");
      const std::string value = token_.text;
      advance();
      return element.setValue(ScriptValueText(value, context_));
    }
    if (token_.isWord("selectedIndex")) {
      advance();
      expect(Type::Equals, "Expecting '='");
      const int32_t index = expect(Type::Number, "The index must be an integer").number;
      return element.setSelectedIndex(index);
    }
    const std::string method = call();
    if (method != "click") return false;
    element.click();
    return true;
  }

  ScriptTokenizer tokens_;
  ScriptToken token_;
  ScriptBrowser& browser_;
  const ScriptContext& context_;
};

}  // namespace

ScriptContext::~ScriptContext() {
  for (CredentialPair& pair : pairs) {
    SecureWipe(pair.login);
    SecureWipe(pair.password);
  }
  SecureWipe(selection);
}

bool ExecuteScript(const std::string& script, ScriptBrowser& browser, const ScriptContext& context) {
  return ScriptRun(script, browser, context).run();
}

bool RunScript(const std::string& script, ScriptBrowser& browser, const ScriptContext& context,
               std::string* error) {
  try {
    return ExecuteScript(script, browser, context);
  } catch (const ZScriptError& failure) {
    if (error) *error = failure.what();
    return false;
  }
}

std::u16string ScriptValueText(const std::string& value, const ScriptContext& context) {
  size_t index = 0;
  if (value.compare(0, 6, "%LOGIN") == 0) {
    if (!StoredPairIndex(value, "%LOGIN", index) || index >= context.pairs.size()) return {};
    return Utf8ToUtf16(context.pairs[index].login);
  }
  if (value.compare(0, 9, "%PASSWORD") == 0) {
    if (!StoredPairIndex(value, "%PASSWORD", index) || index >= context.pairs.size()) return {};
    return Utf8ToUtf16(context.pairs[index].password);
  }
  if (value == "%SELECTION%") return context.selection;
  return Utf8ToUtf16(value);
}

size_t ScriptLoginCount(const std::string& script) {
  size_t count = 0;
  for (size_t at = script.find("%LOGIN"); at != std::string::npos; at = script.find("%LOGIN", at + 6))
    ++count;
  return count;
}
