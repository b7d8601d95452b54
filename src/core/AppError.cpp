#include "core/AppError.h"

AppError::AppError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description)
{
}

QString AppError::standardText(int number)
{
    switch (number) {
    case err::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case err::Overflow: return QStringLiteral("Overflow");
    case err::Subscript: return QStringLiteral("Subscript out of range");
    case err::DivisionByZero: return QStringLiteral("Division by zero");
    case err::TypeMismatch: return QStringLiteral("Type mismatch");
    case err::BadFileName: return QStringLiteral("Bad file name or number");
    case err::FileNotFound: return QStringLiteral("File not found");
    case err::FileAlreadyExists: return QStringLiteral("File already exists");
    case err::InputPastEnd: return QStringLiteral("Input past end of file");
    case err::PermissionDenied: return QStringLiteral("Permission denied");
    case err::PathFileAccess: return QStringLiteral("Path/File access error");
    case err::PathNotFound: return QStringLiteral("Path not found");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

void raiseError(int number, const QString &description)
{
    throw AppError(number, description.isEmpty() ? AppError::standardText(number) : description);
}
