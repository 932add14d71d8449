// Run-time errors of the program's own arithmetic and formatting. They carry a
// number and a description because some status texts show the description.
#pragma once

#include <stdexcept>
#include <string>

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

constexpr int kErrOverflow = 6;
constexpr int kErrSubscriptOutOfRange = 9;
constexpr int kErrDivisionByZero = 11;
constexpr int kErrEntryPointNotFound = 453;

// Thrown where a value does not fit the type it must be held in.
class OverflowError : public RuntimeError {
  public:
    OverflowError() : RuntimeError(kErrOverflow, "Overflow") {}
};

// Thrown where an index lies outside the array or the bytes it is used on.
class SubscriptOutOfRangeError : public RuntimeError {
  public:
    SubscriptOutOfRangeError() : RuntimeError(kErrSubscriptOutOfRange, "Subscript out of range") {}
};

class DivisionByZeroError : public RuntimeError {
  public:
    DivisionByZeroError() : RuntimeError(kErrDivisionByZero, "Division by zero") {}
};

// Thrown where a system function the program looks up at run time is missing.
class EntryPointNotFoundError : public RuntimeError {
  public:
    EntryPointNotFoundError(const std::string& function, const std::string& library)
        : RuntimeError(kErrEntryPointNotFound,
                       "Can't find DLL entry point " + function + " in " + library) {}
};
