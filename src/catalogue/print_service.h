#pragma once

// The printer seam lives in core, so that every subsystem that prints can reach it.
#include "core/print_service.h"
