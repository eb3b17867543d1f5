#include "render/cFuncCall.h"

namespace pivlo {

bool cFuncCall::LibraryFile(const QString& name) {
  FreeLibrary();
  library_.setFileName(name);
  return library_.load();
}

void cFuncCall::FreeLibrary() {
  address_ = nullptr;
  if (library_.isLoaded()) library_.unload();
}

void cFuncCall::FunctionName(const char* name) { address_ = Address(name); }

QFunctionPointer cFuncCall::Address(const char* name) {
  return library_.isLoaded() ? library_.resolve(name) : nullptr;
}

}  // namespace pivlo
