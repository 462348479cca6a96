#pragma once

namespace orb {

inline constexpr const char* kVersion = "2.31";
inline constexpr const char* kMainCaption = "ORB 2.31";
inline constexpr const char* kMessageTitle = "ORB";

}  // namespace orb
