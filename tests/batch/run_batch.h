#pragma once

// Runs the quilbrix-batch program itself, as a Makefile would, with its
// standard output and standard error caught in files (so neither is a
// terminal).

#include "export/level_files.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quilbrix::testing {

struct BatchRun {
    int status = -1; // the exit status, -1 when the program did not exit normally
    std::string out; // standard output
    std::string err; // standard error
};

inline std::string textOf(const std::filesystem::path& file)
{
    const Bytes bytes = readBytes(file);
    return std::string(bytes.begin(), bytes.end());
}

// Quotes one argument for the shell that std::system runs.
inline std::string shellQuoted(const std::string& text)
{
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

// Runs quilbrix-batch with `arguments` in `folder`, which becomes its
// current folder; its two outputs are kept in `folder` under names that no
// test uses for a level.
inline BatchRun runBatch(const std::vector<std::string>& arguments, const std::filesystem::path& folder)
{
    const std::filesystem::path out = folder / "batch-stdout.txt";
    const std::filesystem::path err = folder / "batch-stderr.txt";
    std::string command = "cd ";
    command.append(shellQuoted(folder.string())).append(" && ").append(shellQuoted(QUILBRIX_BATCH));
    for (const std::string& argument : arguments)
        command.append(" ").append(shellQuoted(argument));
    command.append(" > ").append(shellQuoted(out.string())).append(" 2> ").append(shellQuoted(err.string()));
#ifdef _WIN32
    command = "\"" + command + "\"";
#endif
    const int raw = std::system(command.c_str());
    BatchRun run;
#ifdef _WIN32
    run.status = raw;
#else
    run.status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
#endif
    run.out = textOf(out);
    run.err = textOf(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

} // namespace quilbrix::testing
