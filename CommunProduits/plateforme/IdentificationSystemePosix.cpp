#include <sys/utsname.h>

#include "plateforme/IdentificationSysteme.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

TypeIdentificationSysteme IdentifierSysteme() {
  TypeIdentificationSysteme identification;
  identification.Emule = true;
  struct utsname systeme {};
  // Should uname fail, the host stays unnamed: still emulated, on no known host.
  if (::uname(&systeme) == 0) identification.NomSystemeHote = DepuisUtf8(systeme.sysname);
  return identification;
}

}  // namespace kv::plateforme
