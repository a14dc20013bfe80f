#pragma once

// What the framework needs to know about the operating system it runs on: the
// version it reports, whether it is the emulated platform on some other host,
// and which optional user-interface language functions it offers.
//
// The framework's native platform is not this machine's at all, which is the
// very situation its emulation branch stands for. So this machine reports
// itself as emulated, with the host system name that uname() gives ("Linux",
// "Darwin" on macOS, so that the host-dependent restrictions follow the real
// host); the version query fails and the language functions are absent.

#include <cstdint>
#include <string>

namespace kv::plateforme {

struct TypeIdentificationSysteme {
  // The extended version query; the numbers mean nothing when it failed.
  bool VersionObtenue = false;
  std::uint32_t VersionMajeure = 0;
  std::uint32_t VersionMineure = 0;
  std::uint32_t NumeroBuild = 0;

  // The emulation layer's host-version export exists, and the host system name
  // it reports.
  bool Emule = false;
  std::u16string NomSystemeHote{};

  // The user-interface language exports of the system library.
  bool LanguesPrefereesSystemePresent = false;
  bool LanguesPrefereesUtilisateurPresent = false;
  bool LanguesPrefereesProcessusPresent = false;
};

TypeIdentificationSysteme IdentifierSysteme();

}  // namespace kv::plateforme
