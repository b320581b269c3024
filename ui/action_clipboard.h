// The actions cut or copied in the action views: owned copies in the order
// they were taken. The common and application views share one, the services
// view has its own, so web service actions never land among the others.
#pragma once
#include <memory>
#include <vector>

#include "actions/action.h"

class ZActionClipboard {
 public:
  bool empty() const { return actions_.empty(); }
  void clear() { actions_.clear(); }
  void add(std::unique_ptr<ZAction> copy) { actions_.push_back(std::move(copy)); }
  const std::vector<std::unique_ptr<ZAction>>& actions() const { return actions_; }

 private:
  std::vector<std::unique_ptr<ZAction>> actions_;
};
