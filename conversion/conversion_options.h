#pragma once

// The options struct lives with the lowest layer that reads it.
#include "common/conversion_options.h"
