// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the program: a run-time error with a number and a description, numbered
// as the classic Windows run time numbers them, because messages show "Code <number>" to users.

#include <QString>
#include <exception>
#include <string>

namespace plakatron {

namespace err {
inline constexpr int InvalidCall = 5;           // "Invalid procedure call or argument"
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int UserInterrupt = 18;       // a job stopped on request (a stop signal, Cancel)
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIOError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPicture = 481;
inline constexpr int PrinterError = 482;
}  // namespace err

// The standard description of an error number ("Overflow" for 6, ...); "Application-defined or
// object-defined error" for numbers without one, as the classic run time says.
QString standardDescription(int number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    int number() const noexcept { return number_; }
    const QString &description() const noexcept { return description_; }
    const char *what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString &description);

// Runs one statement of a handler whose failing statements are skipped and the next one runs.
template <typename Statement>
void skippingErrors(Statement &&statement)
{
    try {
        statement();
    } catch (const RuntimeError &) {
    }
}

}  // namespace plakatron
