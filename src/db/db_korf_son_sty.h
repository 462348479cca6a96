#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/database.h"

namespace orb {

// A text property that holds a single blank in place of the empty string, so that the column
// it is written to never receives an empty text. Reads give the blank back.
class BlankForEmptyText {
public:
    BlankForEmptyText() = default;
    explicit BlankForEmptyText(std::string value) { *this = std::move(value); }

    BlankForEmptyText& operator=(std::string value) {
        value_ = value.empty() ? " " : std::move(value);
        return *this;
    }
    const std::string& str() const { return value_; }
    operator const std::string&() const { return value_; }

    friend bool operator==(const BlankForEmptyText& a, std::string_view b) { return a.value_ == b; }

private:
    std::string value_ = " ";
};

// Access to table KORFSonSty: one link between a song and a style, with the tempo,
// transposition and note to use. The Boolean operations report a database failure only
// through their result and clsKORFSonStyError ("<code> <message>").
class DBKORFSonSty {
public:
    DBKORFSonSty() = default;
    explicit DBKORFSonSty(Database& connection) : ActiveConnection(&connection) {}

    std::int32_t SongCode = 0;
    std::int32_t StyleProg = 0;
    BlankForEmptyText StyleTempo;
    BlankForEmptyText StyleTranspose;
    BlankForEmptyText SongNote;

    Database* ActiveConnection = nullptr;
    std::string clsKORFSonStyError;

    // Inserts the link; a second link of the same song and style fails on the key.
    bool InsKORFSonSty();
    // Writes tempo, transposition and note of the link; false without error text when there is
    // no such link.
    bool UpdKORFSonSty();
    bool DelKORFSonSty();
    // Removes every link of SongCode.
    bool DelKORFSonStySong();
    // Loads the link of SongCode and StyleProg; false without error text when there is none.
    bool GetKORFSonSty();
};

}  // namespace orb
