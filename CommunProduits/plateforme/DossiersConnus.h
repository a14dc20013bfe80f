#pragma once

// Known folders of the current user and of the machine. Nothing is returned
// when the folder is not known; the caller decides on a fallback. Folders are
// in this machine's form (see Fichiers.h).

#include <optional>
#include <string>

namespace kv::plateforme {

// The roaming application-data folder, as the known-folder service gives it
// (FOLDERID_RoamingAppData).
std::optional<std::u16string> DossierDonneesItinerantes();

// The same folder as the older shell-folder service gives it (CSIDL_APPDATA).
std::optional<std::u16string> DossierDonneesApplicationShell();

// The machine's common application-data folder (CSIDL_COMMON_APPDATA): the
// folder in KV_DONNEES_COMMUNES, else /var/lib, where this machine's programs
// keep the data they change as they run, for every user. A value that is
// empty, relative or not UTF-8 is ignored, as for the base directories.
std::optional<std::u16string> DossierDonneesCommunes();

// The user's documents folder (CSIDL_PERSONAL): XDG_DOCUMENTS_DIR as the file
// "user-dirs.dirs" of the configuration folder (DossierDonneesItinerantes)
// sets it, else $HOME/Documents. In that file the last line
// XDG_DOCUMENTS_DIR="$HOME/..." or XDG_DOCUMENTS_DIR="/..." counts, a backslash
// escaping the character after it; other forms are ignored, as the file's
// format allows no others. Nothing when neither the file nor a usable $HOME
// (absolute, UTF-8) gives a folder.
std::optional<std::u16string> DossierDocuments();

// The temporary folder used when the environment names none: /tmp.
std::u16string DossierTemporaireParDefaut();

}  // namespace kv::plateforme
