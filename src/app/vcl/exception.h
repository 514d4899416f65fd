#pragma once

#include <stdexcept>
#include <string>

namespace vcl {

/// The base of the exceptions the application shows to the user: a message and nothing else.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

}  // namespace vcl
