// Which counter statuses carry a usable reading.
#pragma once

#include "platform/performance_data/pdh.h"

namespace sampling {

// Valid data (0) and new data (1) are usable; every other status is not.
inline bool IsValidCounterStatus(platform::PDH_STATUS s) {
  return s == platform::PDH_CSTATUS_VALID_DATA || s == platform::PDH_CSTATUS_NEW_DATA;
}

}  // namespace sampling
