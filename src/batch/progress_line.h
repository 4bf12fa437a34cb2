#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace quilbrix {

// The progress line of a long step on a terminal: "Construction des
// cartes… 42 %", rewritten in place with a carriage return each time the
// gauge changes, and erased when the step ends, so that the terminal is
// left as it was. A disabled line writes nothing at all (standard error is
// no terminal, or --quiet).
class ProgressLine {
public:
    ProgressLine(std::ostream& out, bool enabled)
        : out_(out)
        , enabled_(enabled)
    { }
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The step whose progress the next percentages show. Writes nothing:
    // a step that never moves the gauge leaves no line.
    void start(const std::string& label);

    // Shows `percent` after the step's label, over whatever line is shown.
    void show(int percent);

    // Erases the line, if one is shown, and puts the cursor back at the
    // start of it.
    void clear();

private:
    std::ostream& out_;
    bool enabled_;
    std::string label_;
    std::size_t shownColumns_ = 0; // characters of the line on screen, 0 for none
};

// The text of the progress line: the label, an ellipsis, the percentage.
std::string progressText(const std::string& label, int percent);

} // namespace quilbrix
