#include "songs/link_edit.h"

#include "db/column_sizes.h"

namespace orb {
namespace {

const char* columnOf(LinkEditController::Field field) {
    switch (field) {
        case LinkEditController::Field::Note:
            return "SongNote";
        case LinkEditController::Field::Tempo:
            return "StyleTempo";
        case LinkEditController::Field::Transpose:
            break;
    }
    return "StyleTranspose";
}

}  // namespace

LinkEditController::LinkEditController(std::string caption, const LinkValues& values)
    : caption_(std::move(caption)), values_(values) {}

const char* LinkEditController::label(Field field) {
    switch (field) {
        case Field::Note:
            return "Notes";
        case Field::Tempo:
            return "Tempo";
        case Field::Transpose:
            break;
    }
    return "Transpose";
}

int LinkEditController::maxLength(Field field) {
    return columnSize("KORFSonSty", columnOf(field));
}

const std::string& LinkEditController::text(Field field) const {
    switch (field) {
        case Field::Note:
            return values_.SongNote;
        case Field::Tempo:
            return values_.StyleTempo;
        case Field::Transpose:
            break;
    }
    return values_.StyleTranspose;
}

void LinkEditController::setText(Field field, const std::string& text) {
    std::string& value = field == Field::Note    ? values_.SongNote
                         : field == Field::Tempo ? values_.StyleTempo
                                                 : values_.StyleTranspose;
    if (value != text) {
        value = text;
        changed();
    }
}

void LinkEditController::ok() {
    result_ = values_;
}

void LinkEditController::exit() {
    result_.reset();
}

}  // namespace orb
