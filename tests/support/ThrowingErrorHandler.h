#pragma once
#include "platform/ErrorReport.h"

#include <stdexcept>
#include <string>

// While alive, ShowError throws std::runtime_error carrying the message (fatal
// or not) instead of printing or ending the process; the previous handler is
// restored afterwards. Use with EXPECT_THROW to check reported errors:
//   test_support::ThrowingErrorHandler throwing;
//   EXPECT_THROW(LoadSomething("missing"), std::runtime_error);
namespace test_support {

class ThrowingErrorHandler {
public:
  ThrowingErrorHandler() : previous_(GetErrorHandler()) { SetErrorHandler(&Throw); }
  ~ThrowingErrorHandler() { SetErrorHandler(previous_); }
  ThrowingErrorHandler(const ThrowingErrorHandler&) = delete;
  ThrowingErrorHandler& operator=(const ThrowingErrorHandler&) = delete;

private:
  [[noreturn]] static void Throw(const std::string& message, int /*fatal*/) { throw std::runtime_error(message); }
  ErrorHandler previous_;
};

} // namespace test_support
