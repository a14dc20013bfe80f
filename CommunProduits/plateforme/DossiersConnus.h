#pragma once

// Known folders of the current user. Nothing is returned when the folder is not
// known; the caller decides on a fallback.

#include <optional>
#include <string>

namespace kv::plateforme {

// The roaming application-data folder, as the known-folder service gives it
// (FOLDERID_RoamingAppData).
std::optional<std::u16string> DossierDonneesItinerantes();

// The same folder as the older shell-folder service gives it (CSIDL_APPDATA).
std::optional<std::u16string> DossierDonneesApplicationShell();

}  // namespace kv::plateforme
