// Language-runtime helpers the program's arithmetic relies on: checked 16-bit integers,
// rounding rules, and the run-time error that ends the program when a handler fails.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// An error raised by a handler or a surface/control operation. Nothing inside the program
// catches it; the outermost handler guard reports it in a message box and ends the process.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

// The run-time error numbers the program can raise, and the one text each is reported with.
inline constexpr int kErrInvalidCall = 5;
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrSubscriptOutOfRange = 9;
inline constexpr int kErrDivisionByZero = 11;

constexpr const char* RuntimeErrorText(int number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrSubscriptOutOfRange: return "Subscript out of range";
    case kErrDivisionByZero: return "Division by zero";
    default: return "Application-defined or object-defined error";
  }
}

// Raises run-time error number with its own text.
[[noreturn]] inline void Raise(int number) { throw RuntimeError(number, RuntimeErrorText(number)); }
[[noreturn]] inline void RaiseOverflow() { Raise(kErrOverflow); }

// A 16-bit signed integer whose arithmetic raises Overflow instead of wrapping.
class Int16 {
 public:
  constexpr Int16() = default;
  constexpr Int16(int v) : value_(Check(v)) {}  // NOLINT: implicit by design
  constexpr operator int() const { return value_; }
  Int16& operator+=(int d) { value_ = Check(int{value_} + d); return *this; }
  Int16& operator-=(int d) { value_ = Check(int{value_} - d); return *this; }
  Int16& operator++() { return *this += 1; }
  Int16& operator--() { return *this -= 1; }

 private:
  static constexpr std::int16_t Check(long long v) {
    if (v < -32768 || v > 32767) RaiseOverflow();
    return static_cast<std::int16_t>(v);
  }
  std::int16_t value_ = 0;
};

// Conversion to a whole number, halves to the even neighbour.
inline double RoundHalfEven(double v) { return std::nearbyint(v); }  // default FE_TONEAREST

// Converts to a 16-bit integer with halves to even; out of range or not finite raises Overflow.
inline Int16 CInt(double v) {
  if (!std::isfinite(v)) RaiseOverflow();
  double r = RoundHalfEven(v);
  if (r < -32768.0 || r > 32767.0) RaiseOverflow();
  return Int16(static_cast<int>(r));
}

// Int(): rounds down.
inline double Int(double v) { return std::floor(v); }

// Floating-point results that went to infinity or NaN are an error, as the program's
// arithmetic never produces them with sane inputs. Like the language runtime, an invalid
// operation (NaN) is reported as Overflow.
inline double CheckedDouble(double v) {
  if (!std::isfinite(v)) RaiseOverflow();
  return v;
}

// a / b with the language runtime's faults: a nonzero number over zero is Division by zero,
// zero over zero Overflow.
inline double CheckedDivide(double a, double b) {
  if (b == 0.0) Raise(a == 0.0 || std::isnan(a) ? kErrOverflow : kErrDivisionByZero);
  return CheckedDouble(a / b);
}

}  // namespace platform
