#pragma once

#include <stdexcept>
#include <string>

#include "core/errors.h"

namespace orb {

// A failure of the catalogue's storage, told for the person: what could not be stored or read
// and why. Its text never carries an engine's error code.
class StoreError : public OrbError {
public:
    enum class Kind {
        Refused,  // the database refused the operation; the text says why, in a few words
        Text,     // the text gate refused a text; the text is a sentence naming field and place
        InUse,    // another program held the database longer than the busy timeout
    };

    explicit StoreError(const std::string& message, Kind kind = Kind::Refused)
        : OrbError(message), kind_(kind) {}

    Kind kind() const { return kind_; }
    bool inUse() const { return kind_ == Kind::InUse; }

private:
    Kind kind_;
};

// "The database FILE is in use by another program; try again when it is closed."
std::string inUseMessage(const std::string& path);

// The message of an operation that failed with `error`. A failure is told within the
// operation's words: `before`, the error's text, `after`. A text the gate refused is told by the
// gate's sentence, which names the field and its place, followed by `consequence` when there is
// one. A database in use is told by its own text alone, which says all a person can do.
std::string failureMessage(const std::exception& error, const std::string& before,
                           const std::string& after, const std::string& consequence = "");

}  // namespace orb
