#include "export/replace_file.h"

#include "export/file_name.h"
#include "export/system_reason.h"
#include "state/error.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

namespace quilbrix {

namespace {

bool occupied(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    // A name that cannot even be examined is treated as taken: the next
    // candidate, or the open itself, will say what is wrong.
    if (ec)
        return ec != std::errc::no_such_file_or_directory;
    return status.type() != std::filesystem::file_type::not_found;
}

Error fileError(const char* action, const std::filesystem::path& target, const std::string& reason)
{
    return Error(
        std::string("Impossible ") + action + " le fichier « " + utf8Text(target) + " » : " + reason);
}

void removeQuietly(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

std::filesystem::path temporaryPathFor(const std::filesystem::path& target)
{
    std::filesystem::path base = target;
    base += ".quilbrix-tmp";
    if (!occupied(base))
        return base;
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::path candidate = base;
        candidate += std::to_string(n);
        if (!occupied(candidate))
            return candidate;
    }
    throw fileError("de créer un fichier temporaire pour", target,
        "tous les noms de fichier temporaire sont déjà pris dans ce dossier");
}

void replaceFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path temporary = temporaryPathFor(target);

    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        throw fileError("de créer", target, errnoReason(errno));

    errno = 0;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        const int reason = errno;
        out.close();
        removeQuietly(temporary);
        throw fileError("d'écrire", target, errnoReason(reason));
    }
    // Closing hands the last buffered bytes to the system, and some file
    // systems report a full disk only then.
    errno = 0;
    out.close();
    if (out.fail()) {
        const int reason = errno;
        removeQuietly(temporary);
        throw fileError("d'écrire", target, errnoReason(reason));
    }

    std::error_code ec;
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        removeQuietly(temporary);
        throw fileError("de remplacer", target, systemReason(ec));
    }
}

} // namespace quilbrix
