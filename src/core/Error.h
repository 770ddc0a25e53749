// tavrin::Error: what the program throws, a message and nothing else. It derives from
// std::exception directly: std::runtime_error and std::logic_error keep their message in the
// runtime library's second, reference-counted string type, whose code the program then carries.
#pragma once
#include <exception>
#include <string>
#include <utility>

namespace tavrin {

class Error : public std::exception {
  public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

} // namespace tavrin
