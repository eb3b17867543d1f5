#pragma once

#include <QLibrary>
#include <QString>

#include <type_traits>

namespace pivlo {

// Late binding of a library's exports: load a library by name, name an export, call it.
// The address is forgotten after every call, so the export is named again before each.
class cFuncCall {
 public:
  cFuncCall() = default;
  ~cFuncCall() { FreeLibrary(); }
  cFuncCall(const cFuncCall&) = delete;
  cFuncCall& operator=(const cFuncCall&) = delete;

  // Frees the library held so far, then loads the named one; true when it loaded.
  bool LibraryFile(const QString& name);
  void FreeLibrary();

  // Looks the export up in the held library and keeps its address (none when missing).
  void FunctionName(const char* name);
  bool HasFunction() const { return address_ != nullptr; }
  // The address of an export, leaving the named one alone; null when missing.
  QFunctionPointer Address(const char* name);

  // Calls the named export as a function of type Signature (the export's declared type)
  // and forgets its address. Without an address nothing is called and the result is the
  // value-initialised result type (0 for numbers).
  template <typename Signature, typename... Args>
  auto CallFunction(Args&&... args) {
    using Result = std::invoke_result_t<Signature*, Args...>;
    const QFunctionPointer address = address_;
    address_ = nullptr;
    if (address == nullptr) return Result();
    return reinterpret_cast<Signature*>(address)(std::forward<Args>(args)...);
  }

 private:
  QLibrary library_;
  QFunctionPointer address_ = nullptr;
};

}  // namespace pivlo
