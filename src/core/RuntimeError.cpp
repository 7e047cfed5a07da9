// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <utility>

namespace plakatron {

QString standardDescription(int number)
{
    switch (number) {
    case err::InvalidCall: return QCoreApplication::translate("RuntimeError", "Invalid procedure call or argument");
    case err::Overflow: return QCoreApplication::translate("RuntimeError", "Overflow");
    case err::OutOfMemory: return QCoreApplication::translate("RuntimeError", "Out of memory");
    case err::SubscriptOutOfRange: return QCoreApplication::translate("RuntimeError", "Subscript out of range");
    case err::DivisionByZero: return QCoreApplication::translate("RuntimeError", "Division by zero");
    case err::UserInterrupt: return QCoreApplication::translate("RuntimeError", "User interrupt occurred");
    case err::TypeMismatch: return QCoreApplication::translate("RuntimeError", "Type mismatch");
    case err::BadFileNameOrNumber: return QCoreApplication::translate("RuntimeError", "Bad file name or number");
    case err::FileNotFound: return QCoreApplication::translate("RuntimeError", "File not found");
    case err::DeviceIOError: return QCoreApplication::translate("RuntimeError", "Device I/O error");
    case err::DiskFull: return QCoreApplication::translate("RuntimeError", "Disk full");
    case err::InputPastEndOfFile: return QCoreApplication::translate("RuntimeError", "Input past end of file");
    case err::PermissionDenied: return QCoreApplication::translate("RuntimeError", "Permission denied");
    case err::PathFileAccessError: return QCoreApplication::translate("RuntimeError", "Path/File access error");
    case err::PathNotFound: return QCoreApplication::translate("RuntimeError", "Path not found");
    case err::ObjectNotSet: return QCoreApplication::translate("RuntimeError", "Object variable or With block variable not set");
    case err::InvalidPropertyValue: return QCoreApplication::translate("RuntimeError", "Invalid property value");
    case err::InvalidPicture: return QCoreApplication::translate("RuntimeError", "Invalid picture");
    case err::PrinterError: return QCoreApplication::translate("RuntimeError", "Printer error");
    default: return QCoreApplication::translate("RuntimeError", "Application-defined or object-defined error");
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
