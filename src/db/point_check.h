#pragma once

#include <string>

namespace orb {

class Database;

// Checks a copy of a whole-copy restore point before it replaces a catalogue: the engine's
// integrity check, then the schema step (which brings a point of an earlier layout up to date),
// then exactly ORB's tables, columns, indexes, triggers and view, nothing else. "" when it may
// come back, else what is wrong. `copy` is changed: it must be a scratch copy, never the point.
std::string wholeCopyProblem(Database& copy);

}  // namespace orb
