#pragma once

#include "conversion/observation.h"

namespace zendro::review {

// The review reads the job's observations as the conversion decoded them.
using zendro::Observation;

}  // namespace zendro::review
