#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orb::test {

// The `Error` that `work` throws, nullopt when it throws none; any other exception goes on to
// the test.
template <typename Error>
std::optional<Error> errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

// The message of the `Error` that `work` throws, "" when it throws none.
template <typename Error>
std::string failureOf(const std::function<void()>& work) {
    const std::optional<Error> error = errorOf<Error>(work);
    return error ? error->what() : "";
}

}  // namespace orb::test
