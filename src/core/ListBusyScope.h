#pragma once

#include "core/ProjectModel.h"

namespace pivlo {

// A long list operation: list handlers and commands stay out while it lets events run.
// The flags return to what they were, so an operation inside a busy command leaves the
// command busy.
class ListBusyScope {
 public:
  explicit ListBusyScope(RunFlags& flags) : flags_(flags), list_busy_(flags.ListBusy), busy_(flags.BusyFlag) {
    flags_.ListBusy = flags_.BusyFlag = true;
  }
  ~ListBusyScope() {
    flags_.ListBusy = list_busy_;
    flags_.BusyFlag = busy_;
  }
  ListBusyScope(const ListBusyScope&) = delete;
  ListBusyScope& operator=(const ListBusyScope&) = delete;

 private:
  RunFlags& flags_;
  const bool list_busy_;
  const bool busy_;
};

}  // namespace pivlo
