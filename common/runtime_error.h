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
constexpr int kErrDivisionByZero = 11;

// Thrown where a value does not fit the type it must be held in.
class OverflowError : public RuntimeError {
public:
    OverflowError() : RuntimeError(kErrOverflow, "Overflow") {}
};

class DivisionByZeroError : public RuntimeError {
public:
    DivisionByZeroError() : RuntimeError(kErrDivisionByZero, "Division by zero") {}
};
