#pragma once

#include <stdexcept>
#include <string>

namespace orb {

// Base of every failure that ORB reports with a text meant for the person at the keyboard.
class OrbError : public std::runtime_error {
public:
    explicit OrbError(const std::string& message) : std::runtime_error(message) {}
};

// A position outside 1..Count, a missing key or a key added twice in one of the in-memory
// collections.
class InvalidArgumentError : public OrbError {
public:
    explicit InvalidArgumentError(const std::string& message) : OrbError(message) {}
};

}  // namespace orb
