#pragma once
// The failure categories every layer raises. Each carries a French text that
// the default error box shows as it stands.
#include <stdexcept>
#include <string>

class QString;

namespace kel {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& utf8Text) : std::runtime_error(utf8Text) {}
    explicit Error(const QString& text);
    QString text() const;
};

// Unknown extension or data a reader rejects.
class InvalidGraphic : public Error {
public:
    using Error::Error;
};

// A text that is not a whole number: "'%s' n'est pas une valeur entière correcte".
class ConvertError : public Error {
public:
    explicit ConvertError(const QString& offendingText);
};

// An operation the current state does not allow.
class InvalidOperation : public Error {
public:
    using Error::Error;
};

// A row or pixel outside a bitmap; raised instead of touching foreign memory.
class RangeError : public Error {
public:
    using Error::Error;
};

// A file that cannot be opened, read or written; carries the system's text.
class FileError : public Error {
public:
    using Error::Error;
};

// A bitmap too large to allocate safely.
class OutOfResources : public Error {
public:
    using Error::Error;
};

// Whole-number parsing as the edits of the pages need it: optional blanks
// before, an optional sign, decimal digits (or '$' and hex digits), nothing
// after. Throws ConvertError with the offending text otherwise.
int strToInt(const QString& text);

} // namespace kel
