// The one error type of the program: an error number with its text, raised by any
// operation that fails and reported to the user at the entry point that called it.
#pragma once

#include <QString>
#include <stdexcept>

namespace err {
// Error numbers keep the classic runtime's numbering, which texts and tests rely on.
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int Subscript = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyExists = 58;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
// The program's own errors.
constexpr int NoUserFolder = 30001;
constexpr int BadDefinition = 30002;
constexpr int BadSavedGame = 30003;
} // namespace err

class AppError : public std::runtime_error {
public:
    AppError(int number, const QString &description);

    int number() const { return number_; }
    const QString &description() const { return description_; }

    // The standard text of a runtime error number ("Overflow", "Subscript out of range" ...).
    static QString standardText(int number);

private:
    int number_;
    QString description_;
};

// Raises the error with its standard text, or with the given text.
[[noreturn]] void raiseError(int number, const QString &description = {});
