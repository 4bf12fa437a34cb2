// quilbrix-batch: the road of one level from a command line, on the core
// alone. Parses the options, runs the road or the decoding, prints the
// summary, and turns errors into messages and exit statuses: 1 for an
// input the core refused or a file it could not write, 2 for a command
// line that cannot be run.

#include "batch/decode.h"
#include "batch/options.h"
#include "batch/progress_line.h"
#include "batch/road.h"
#include "batch/summary.h"
#include "state/error.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool standardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

int run(const std::vector<std::string>& arguments)
{
    using namespace quilbrix;

    BatchOptions options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError& error) {
        std::cerr << withFullStop(error.what()) << '\n' << HelpHint << '\n';
        return 2;
    }
    if (options.help) {
        std::cout << helpText();
        if (std::cout.flush())
            return 0;
        std::cerr << "Impossible d'écrire l'aide sur la sortie standard.\n";
        return 1;
    }

    ProgressLine progress(std::cerr, !options.quiet && standardErrorIsTerminal());
    // Everything but the line itself goes through here, so that a message
    // never lands in the middle of it.
    const auto message = [&](const std::string& text) {
        progress.clear();
        std::cerr << text << '\n';
    };
    // A summary that could not be written (standard output sent to a full
    // disk) is a failed write like any other, not a success.
    const auto summaryWritten = [&] {
        std::cout.flush();
        if (std::cout)
            return true;
        message("Impossible d'écrire le résumé sur la sortie standard.");
        return false;
    };
    try {
        if (options.decode) {
            const std::vector<std::string> written = decodeLevel(options.settings.baseName,
                options.outputFolder, options.spriteSize, options.backgroundSize, options.tileSize);
            if (!options.quiet)
                std::cout << decodeSummaryLine(written) << '\n';
            return summaryWritten() ? 0 : 1;
        }
        WorkingState state;
        state.CGauge1.setView([&](int percent) { progress.show(percent); });
        RoadEvents events;
        events.stepStarted = [&](const std::string& label) { progress.start(label); };
        events.stepFinished = [&] { progress.clear(); };
        events.warning = message;
        const RoadOutcome outcome = runRoad(state, options, events);
        if (!options.quiet)
            std::cout << summaryLine(outcome) << '\n';
        return summaryWritten() ? 0 : 1;
    } catch (const std::bad_alloc&) {
        // The one standard library message met in practice, in French as
        // the window gives it.
        message(withFullStop("Mémoire insuffisante"));
    } catch (const std::exception& error) {
        message(withFullStop(error.what()));
    }
    return 1;
}

} // namespace

#ifdef _WIN32
// The arguments in UTF-16, as the system holds them: the narrow ones would
// be in the ANSI code page, and every path the core takes is UTF-8.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::u8string text = std::filesystem::path(argv[i]).u8string();
        arguments.emplace_back(text.begin(), text.end());
    }
    return run(arguments);
}
#else
int main(int argc, char** argv)
{
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
