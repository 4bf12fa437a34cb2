#include "batch/progress_line.h"

#include <algorithm>

namespace quilbrix {

namespace {

// Characters of a UTF-8 text, as a terminal lays them out: every byte but
// the continuation bytes starts one.
std::size_t columns(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

std::string progressText(const std::string& label, int percent)
{
    return label + "… " + std::to_string(percent) + " %";
}

void ProgressLine::start(const std::string& label)
{
    clear();
    label_ = label;
}

void ProgressLine::show(int percent)
{
    if (!enabled_)
        return;
    const std::string text = progressText(label_, percent);
    const std::size_t width = columns(text);
    // Blanks cover what a longer earlier text left ("100 %" before "0 %").
    out_ << '\r' << text;
    if (width < shownColumns_)
        out_ << std::string(shownColumns_ - width, ' ');
    out_.flush();
    shownColumns_ = std::max(width, shownColumns_);
}

void ProgressLine::clear()
{
    if (!enabled_ || shownColumns_ == 0)
        return;
    out_ << '\r' << std::string(shownColumns_, ' ') << '\r';
    out_.flush();
    shownColumns_ = 0;
}

} // namespace quilbrix
