// The full path of a processor's "% Processor Time" counter, built from the localized object
// and counter names that the performance-data service reports.
#pragma once

#include <string>

#include "platform/performance_data/pdh.h"
#include "platform/runtime/runtime.h"

namespace sampling {

// "\" + name of index 238 + "(" + processor + ")\" + name of index 6.
std::string GetCounterPath(platform::PerformanceData& pdh, platform::Int16 processor);

}  // namespace sampling
