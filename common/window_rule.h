// The rule by which a top-level window is taken for an application: its
// window class against a stored key, its caption against a stored caption.
// Application plug-ins are chosen by it, and so are the applications where
// gesture capture is off. Both the program and the hook library use it.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct ZWindowRule {
  std::string key;      // class name of the application's top-level window
  std::string caption;  // the application's part of that window's caption

  bool operator==(const ZWindowRule& other) const { return key == other.key && caption == other.caption; }
};

#ifdef _WIN32
// The index of the rule a window of class `className` matches, -1 for none.
// `caption` yields the window's caption; it is asked only when the class
// alone does not decide.
//  1. The rules whose key equals the class (ignoring case): one alone wins.
//  2. Among those, or among all rules when none has the class: one alone
//     whose caption equals the window's (ignoring case) wins.
//  3. When no key equals the class: the first rule whose key agrees with the
//     class in its first four characters (ignoring case) and whose caption
//     occurs in the window's caption.
//  4. When several keys equal the class: none for the system's dialog class
//     "#32770" (every program's dialogs share it), else the first of them.
int MatchWindowRule(const std::vector<ZWindowRule>& rules, const std::string& className,
                    const std::function<std::string()>& caption);
#endif
