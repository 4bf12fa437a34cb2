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

// A message as the error display shows it: with a full stop added when the
// code of its last character is above that of '.' (0x2E), so that a message
// ending in a letter, a digit or a closing quote gets one and one ending in
// a blank, a hyphen, a parenthesis or a full stop does not. `utf8Message`
// is UTF-8: a last character of several bytes (an accented letter, a
// closing guillemet) has a code above 0x7F and gets the full stop. An
// empty message stays empty.
std::string withFullStop(const std::string& utf8Message);

} // namespace quilbrix
