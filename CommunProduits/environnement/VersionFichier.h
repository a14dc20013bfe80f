#pragma once

// The version of executable files, read from their version record
// (plateforme/RessourceVersion.h), and the running program's own version.

#include <string_view>

#include "commun/Exception.h"
#include "environnement/TypeVersion.h"
#include "plateforme/RessourceVersion.h"

namespace kv {

// A file whose version record cannot be read. The message names the file and
// gives the system's text and code of the reason.
KV_DECLARER_EXCEPTION(EInfosVersionIllisibles, Exception);

using TypeInfosFixesFichier = plateforme::TypeInfosFixesFichier;

// Copies the fixed block of the record of AFichier (in the framework's form)
// into AInfos and answers true; raises EInfosVersionIllisibles when the file
// has no readable record.
bool LireInfosVersionFichier(std::u16string_view AFichier, TypeInfosFixesFichier& AInfos);

// The file version of AFichier as four numbers (the two halves of the most
// significant word, then those of the least significant one). Raises as
// LireInfosVersionFichier.
TypeVersion VersionFichier(std::u16string_view AFichier);

// VersionFichier of the loaded module (the executable or a shared library)
// that holds AAdresse. Raises EInfosVersionIllisibles when no module holds it.
TypeVersion VersionModule(const void* AAdresse);

// The running program's version. The first call of either function reads it:
// when that read fails, its error goes to that first caller, and from then on
// the version stays empty and VersionExecutableConnue false, without another
// attempt. One thread only, as the application's start-up.
TypeVersion VersionExecutable();
bool VersionExecutableConnue();

}  // namespace kv
