#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/observable.h"
#include "songs/song_links.h"

namespace orb {

// The link edit window: the note, tempo and transposition of one link. "Ok" hands the edited
// values back, "Exit" nothing.
class LinkEditController : public Observable {
public:
    enum class Field { Note = 0, Tempo = 1, Transpose = 2 };
    static constexpr std::array<Field, 3> kFields = {Field::Note, Field::Tempo, Field::Transpose};

    LinkEditController(std::string caption, const LinkValues& values);

    const std::string& caption() const { return caption_; }
    static const char* label(Field field);
    // The most characters the field's column takes.
    static int maxLength(Field field);
    const std::string& text(Field field) const;
    void setText(Field field, const std::string& text);

    void ok();
    void exit();
    // The edited values after "Ok", nothing before it or after "Exit".
    const std::optional<LinkValues>& result() const { return result_; }

private:
    std::string caption_;
    LinkValues values_;
    std::optional<LinkValues> result_;
};

}  // namespace orb
