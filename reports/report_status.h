#pragma once
// Outcome of a file operation of the reports layer.
//
// Errors are complete Chinese sentences fit for a message box or a command
// line; they name the file and the reason. Nothing in this layer throws across
// its interface except where a header says FloatFault.

#include <optional>
#include <utility>

#include <QString>

namespace tarvelo {

// Success or one error message.
struct FileStatus {
    std::optional<QString> error;

    bool ok() const { return !error.has_value(); }
    static FileStatus Success() { return {}; }
    static FileStatus Failure(QString message) { return {std::move(message)}; }
};

// A value or one error message: exactly one of the two is set.
template <class T>
struct FileResult {
    std::optional<T> value;
    std::optional<QString> error;

    bool ok() const { return value.has_value(); }
    static FileResult Success(T v) { return {std::move(v), std::nullopt}; }
    static FileResult Failure(QString message) { return {std::nullopt, std::move(message)}; }
};

}  // namespace tarvelo
