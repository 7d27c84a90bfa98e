#pragma once

#include <optional>
#include <utility>
#include <variant>

// How a reader or a load step ended, in the manner of std::expected (C++23): a value, or the
// reason it could not give one. Readers use an enum class for the reason; the callers map it to
// the text the user is shown (one table per subsystem).
template <typename T, typename Error>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The reason; only when not ok().
    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

// A step that gives no value: success, or the reason it failed.
template <typename Error>
class [[nodiscard]] Outcome {
public:
    Outcome() = default;
    Outcome(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    // Nothing on success.
    const std::optional<Error>& error() const { return error_; }

private:
    std::optional<Error> error_;
};
