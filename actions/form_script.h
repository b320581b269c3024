// The form script of a web service: statements separated by ";" that press
// Return or Tab in the browser, or reach a form or element of the page
// (through frames) and set a value, choose an option, click or submit.
#pragma once
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "actions/script_document.h"

// A syntax error in a script; the message names what was expected.
class ZScriptError : public std::runtime_error {
 public:
  explicit ZScriptError(const char* message) : std::runtime_error(message) {}
};

struct CredentialPair {
  std::string login;     // UTF-8
  std::string password;  // UTF-8
};

// What a script may put into the page: the credentials of its service and
// the text the user had selected.
struct ScriptContext {
  ~ScriptContext();  // wipes the pairs and the selection
  std::vector<CredentialPair> pairs;
  std::u16string selection;
};

// Most Tab presses one TABS statement makes: a count read from a script is
// not trusted to be small.
constexpr int32_t kMaxScriptTabs = 256;

// Runs the script. Statements before a syntax error have acted on the page
// when ZScriptError is thrown. Returns false when the browser has no
// document or a frame step fails, otherwise the result of the last forms or
// elements statement (true when there is none).
bool ExecuteScript(const std::string& script, ScriptBrowser& browser, const ScriptContext& context);

// ExecuteScript with a syntax error taken as failure; `error`, when given,
// receives its message.
bool RunScript(const std::string& script, ScriptBrowser& browser, const ScriptContext& context,
               std::string* error = nullptr);

// The text a "value =" statement sets for `value`: "%LOGINk%" and
// "%PASSWORDk%" name the k-th stored pair (empty when there is none),
// "%SELECTION%" the selection; anything else is the text itself.
std::u16string ScriptValueText(const std::string& value, const ScriptContext& context);

// How many login values a script needs: the occurrences of "%LOGIN".
size_t ScriptLoginCount(const std::string& script);
