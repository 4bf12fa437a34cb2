#include "export/system_reason.h"

#include <cerrno>

namespace quilbrix {

std::string systemReason(std::error_code code)
{
    if (!code)
        return "le système n'a pas donné de raison";

    // Comparing with std::errc goes through the code's portable condition,
    // so errno values and the file system library's codes (Windows' own
    // error numbers included) land on the same texts.
    using std::errc;
    if (code == errc::permission_denied || code == errc::operation_not_permitted)
        return "accès refusé";
    if (code == errc::no_space_on_device)
        return "plus de place sur le disque";
    if (code == errc::read_only_file_system)
        return "le support est en lecture seule";
    if (code == errc::no_such_file_or_directory)
        return "dossier introuvable";
    if (code == errc::not_a_directory)
        return "un élément du chemin n'est pas un dossier";
    if (code == errc::is_a_directory)
        return "un dossier porte ce nom";
    if (code == errc::filename_too_long)
        return "nom de fichier trop long";
    if (code == errc::invalid_argument || code == errc::illegal_byte_sequence)
        return "nom de fichier refusé par le système de fichiers";
    if (code == errc::file_too_large)
        return "fichier trop volumineux";
    if (code == errc::io_error)
        return "erreur d'entrée-sortie sur le support";
    if (code == errc::too_many_files_open || code == errc::too_many_files_open_in_system)
        return "trop de fichiers ouverts";
    if (code == errc::device_or_resource_busy || code == errc::text_file_busy)
        return "fichier utilisé par un autre programme";
    if (code == errc::cross_device_link)
        return "le fichier temporaire et le fichier final sont sur deux supports différents";
#ifdef EDQUOT
    // Not in std::errc, but common on shared machines.
    if (code.category() == std::generic_category() && code.value() == EDQUOT)
        return "quota de disque dépassé";
#endif
    return code.message();
}

std::string errnoReason(int errnoValue)
{
    return systemReason(std::error_code(errnoValue, std::generic_category()));
}

} // namespace quilbrix
