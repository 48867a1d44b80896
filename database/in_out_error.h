// The error of a failed file operation. Its message follows from the
// system's error code alone.
#pragma once

#include <string>

#include "platform/exception.h"
#include "platform/file_system.h"

std::string InOutErrorMessage(os::ErrorCode code);

class EInOutError : public Exception {
 public:
  explicit EInOutError(os::ErrorCode code) : Exception(InOutErrorMessage(code)), code_(code) {}
  os::ErrorCode Code() const noexcept { return code_; }

 private:
  os::ErrorCode code_;
};
