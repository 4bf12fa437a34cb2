#pragma once

#include <string>
#include <system_error>

namespace quilbrix {

// The reason the system gave for a failed file operation, in French and in
// lowercase so that it can follow a colon: "plus de place sur le disque",
// "accès refusé", ... The common causes of a failed save have their own
// text; any other code falls back to the system's own message, and an empty
// code (the library reported a failure without saying why) to a neutral
// text.
std::string systemReason(std::error_code code);

// systemReason of an errno value, as the C and C++ file streams leave it
// after a failed open, write or close (0 when they set none).
std::string errnoReason(int errnoValue);

} // namespace quilbrix
