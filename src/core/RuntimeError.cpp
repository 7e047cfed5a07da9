// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RuntimeError.h"

#include <utility>

namespace plakatron {

QString standardDescription(int number)
{
    switch (number) {
    case err::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case err::Overflow: return QStringLiteral("Overflow");
    case err::OutOfMemory: return QStringLiteral("Out of memory");
    case err::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case err::DivisionByZero: return QStringLiteral("Division by zero");
    case err::UserInterrupt: return QStringLiteral("User interrupt occurred");
    case err::TypeMismatch: return QStringLiteral("Type mismatch");
    case err::BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case err::FileNotFound: return QStringLiteral("File not found");
    case err::DeviceIOError: return QStringLiteral("Device I/O error");
    case err::DiskFull: return QStringLiteral("Disk full");
    case err::InputPastEndOfFile: return QStringLiteral("Input past end of file");
    case err::PermissionDenied: return QStringLiteral("Permission denied");
    case err::PathFileAccessError: return QStringLiteral("Path/File access error");
    case err::PathNotFound: return QStringLiteral("Path not found");
    case err::ObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case err::InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case err::InvalidPicture: return QStringLiteral("Invalid picture");
    case err::PrinterError: return QStringLiteral("Printer error");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, standardDescription(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : number_(number), description_(std::move(description)),
      what_(QStringLiteral("%1 (error %2)").arg(description_).arg(number_).toStdString())
{
}

void raise(int number) { throw RuntimeError(number); }

void raise(int number, const QString &description) { throw RuntimeError(number, description); }

}  // namespace plakatron
