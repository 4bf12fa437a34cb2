#include "state/error.h"

namespace quilbrix {

std::string withFullStop(const std::string& utf8Message)
{
    if (utf8Message.empty())
        return utf8Message;
    // Every byte of a character beyond ASCII is 0x80 or more, the last one
    // included, and so is the character's code: the last byte alone decides.
    const auto last = static_cast<unsigned char>(utf8Message.back());
    if (last > static_cast<unsigned char>('.'))
        return utf8Message + '.';
    return utf8Message;
}

} // namespace quilbrix
