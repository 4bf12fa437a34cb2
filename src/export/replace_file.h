#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace quilbrix {

// Writes `bytes` as the whole content of `target` without ever leaving a
// half-written file in its place: the bytes go to a temporary file beside
// it (so the final rename stays on one file system), which is written,
// flushed and closed, and only when all of that succeeded is it renamed
// over `target`. Only that one file is open meanwhile.
//
// On failure `target` keeps what it held (or stays absent), the temporary
// file is removed, and Error says which file failed and the system's reason
// in French. An interruption of the program leaves at worst the temporary
// file, never a cut target.
void replaceFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes);

// The temporary file replaceFile would write for `target` at this moment:
// "<name>.quilbrix-tmp" in the same folder, or that name followed by a
// number when something of that name is already there, so nothing of the
// user's is ever overwritten by the temporary file.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target);

} // namespace quilbrix
