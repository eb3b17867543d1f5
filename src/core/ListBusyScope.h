#pragma once

#include "core/ProjectModel.h"

namespace pivlo {

// A long list operation: list handlers and commands stay out while it lets events run.
class ListBusyScope {
 public:
  explicit ListBusyScope(RunFlags& flags) : flags_(flags) { flags_.ListBusy = flags_.BusyFlag = true; }
  ~ListBusyScope() { flags_.ListBusy = flags_.BusyFlag = false; }
  ListBusyScope(const ListBusyScope&) = delete;
  ListBusyScope& operator=(const ListBusyScope&) = delete;

 private:
  RunFlags& flags_;
};

}  // namespace pivlo
