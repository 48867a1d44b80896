// The exception base of every error the program raises. The message is a
// code page 932 byte string; the error display shows it as it stands.
#pragma once

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A control refused to take an entry (a list that cannot grow any more).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};
