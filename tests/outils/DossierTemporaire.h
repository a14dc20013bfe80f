#pragma once

#include <filesystem>

namespace kv::tests {

// A fresh folder under the system's temporary folder, removed with all it holds
// (read-only levels included) when the object goes.
class TDossierTemporaire {
 public:
  TDossierTemporaire();
  ~TDossierTemporaire();
  TDossierTemporaire(const TDossierTemporaire&) = delete;
  TDossierTemporaire& operator=(const TDossierTemporaire&) = delete;

  const std::filesystem::path& Chemin() const { return FChemin; }

  // When the tests run as root, hands the whole tree to the unprivileged
  // account, so that a child run under it meets the rights an ordinary user
  // has (see TypeLancement::SansPrivileges).
  void DonnerAuCompteSansPrivileges() const;

 private:
  std::filesystem::path FChemin;
};

}  // namespace kv::tests
