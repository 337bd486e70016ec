#include "platform/ErrorReport.h"

#include <cstdio>
#include <cstdlib>

namespace {

void DefaultHandler(const std::string& message, int fatal) {
  std::fprintf(stderr, "%s\n", message.c_str());
  if (fatal) std::exit(1);
}

ErrorHandler currentHandler = DefaultHandler;

} // namespace

void SetErrorHandler(ErrorHandler handler) { currentHandler = handler ? handler : DefaultHandler; }
ErrorHandler GetErrorHandler() { return currentHandler; }

void ShowError(const std::string& message, int fatal) {
  currentHandler(message, fatal);
  // A fatal error never returns to its caller, whatever the handler did.
  if (fatal) std::exit(1);
}
