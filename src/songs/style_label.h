#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "db/style_store.h"

namespace orb {

// A style as the song lists show it, so that styles of one name can be told apart: the name,
// then its number, description and family in brackets, each trimmed, an empty one left out:
// "ROCK1 (41, Hard rock, Rock)", "ROCK1 (96)".
std::string styleLabelText(const std::string& name, std::int32_t number,
                           const std::string& description, const std::string& family);

// The styles whose description and family a list shows, by number.
using StyleLabels = std::unordered_map<std::int32_t, StyleLabel>;

// The label of style `number` shown under `name`, with its description and family from
// `labels` when they are known there.
std::string styleLabelText(const StyleLabels& labels, const std::string& name, std::int32_t number);

}  // namespace orb
