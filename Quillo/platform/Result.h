#pragma once

#include <system_error>
#include <utility>
#include <variant>

namespace platform {

// The outcome of a fallible call: a value, or the error the system gave. Never dropped unseen:
// a caller that means to ignore a failure says so with a (void) cast.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(std::error_code error) : state_(error) {}

    static Result failure(int posixError) { return Result(std::error_code(posixError, std::generic_category())); }

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    // Preconditions: ok().
    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    // By value, so that `for (auto& x : f().value())` does not outlive the temporary.
    T value() && { return std::get<T>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The system's error; empty when ok().
    std::error_code error() const { return ok() ? std::error_code() : std::get<std::error_code>(state_); }

private:
    std::variant<T, std::error_code> state_;
};

// The outcome of a fallible call that gives nothing back.
using Outcome = Result<std::monostate>;
inline Outcome success() { return std::monostate{}; }

// The error of the last failed system call.
inline std::error_code lastError() { return {errno, std::generic_category()}; }

} // namespace platform
