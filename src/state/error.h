#pragma once

#include <stdexcept>
#include <string>

namespace quilbrix {

// The one error type of the core. Its message is French and complete: the
// window shows it as it is (adding a full stop), the batch tool prints it.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message)
        : std::runtime_error(message)
    { }
};

} // namespace quilbrix
