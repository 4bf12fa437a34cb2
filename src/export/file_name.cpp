#include "export/file_name.h"

#include "state/error.h"

namespace quilbrix {

void requireNamesInFolder(const std::string& baseName, const std::vector<std::string>& names,
    const std::filesystem::path& folder, const std::string& fate, const std::string& tail)
{
    if (baseName.find('\0') != std::string::npos)
        throw Error("Le nom de fichier contient un caractère nul" + tail);
    for (const std::string& name : names) {
        const std::filesystem::path path = pathFromUtf8(name);
        if (path != path.filename())
            throw Error("Le nom de fichier « " + baseName
                + " » contient un séparateur de dossier ou de lecteur : " + "les fichiers seraient " + fate
                + " hors du dossier « " + utf8Text(folder.empty() ? std::filesystem::path(".") : folder)
                + " »" + tail);
    }
}

} // namespace quilbrix
