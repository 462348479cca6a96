#pragma once

#include <functional>
#include <string>

namespace orb::test {

// The message of the `Error` that `work` throws, "" when it throws none; any other exception
// goes on to the test.
template <typename Error>
std::string failureOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

}  // namespace orb::test
