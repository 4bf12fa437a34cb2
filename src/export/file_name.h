#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quilbrix {

// File names travel through the core as UTF-8 text (the window hands them
// over so, and messages are UTF-8). These convert at the file system's edge,
// where Windows would otherwise read a narrow string in its ANSI code page.

inline std::filesystem::path pathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8Text(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Refuses, with Error, file names made from `baseName` that would not stay
// bare names inside `folder`: a folder separator or a drive would lead
// elsewhere, and a NUL character would cut the name short at the system.
// `fate` says what would befall the files ("écrits", "lus et écrits");
// `tail` ends the message.
void requireNamesInFolder(const std::string& baseName, const std::vector<std::string>& names,
    const std::filesystem::path& folder, const std::string& fate, const std::string& tail = "");

} // namespace quilbrix
