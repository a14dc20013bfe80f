#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "environnement/I_SurchargeRepertoiresWindows.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// The machine-wide registry key of the overrides, under the local-machine hive.
inline constexpr std::u16string_view CleSurchargeRepertoiresWindows =
    u"SOFTWARE\\Korvel\\SurchargeRepertoiresWindows";
// Value names that hold a folder for every installation of the machine.
inline constexpr std::u16string_view SurchargeDonneesCommunes = u"CSIDL_COMMON_APPDATA";
inline constexpr std::u16string_view SurchargeDocuments = u"CSIDL_MYDOCUMENTS";

// The in-memory overrides: one folder per name, names compared exactly. The
// names are given back in the order of their UTF-16 units.
class TSurchargeRepertoireWindows : public TObjetInterfacable, public ISurchargeRepertoiresWindows {
  KV_INTERFACES(TObjetInterfacable, ISurchargeRepertoiresWindows)

 public:
  TSurchargeRepertoireWindows() : TObjetInterfacable(true) {}

  bool AjouterSurcharge(std::u16string_view ANom, std::u16string_view AChemin) override;
  std::vector<std::u16string> GetNomsSurcharges() override;
  std::u16string GetSurcharge(std::u16string_view ANom) override;

 private:
  std::map<std::u16string, std::u16string, std::less<>> FSurcharges;
};

// The value name of the common application-data folder for this installation
// only: the folder of the file that holds this code, in this machine's form,
// without a trailing separator (except for the root itself).
std::u16string NomSurchargeInstallation();

// Writes each override of ASurcharges as a string value of the key, created
// when missing (even for an empty list), replacing what was there. Returns
// without writing anything when the key cannot be opened for writing; a value
// that cannot be written once it is open raises what the registry raises
// (EEcritureRegistre). The registry matches value names without regard to
// case: of two names that differ only by case, the one written last (the
// later in GetNomsSurcharges' order) gives the value.
void EnregistrerSurcharges(ISurchargeRepertoiresWindows& ASurcharges);

// The two overrides that apply to this installation, exactly as stored (no
// expansion, no trimming, no check that the folder exists); empty when there
// is none. The common application-data folder is this installation's value
// (NomSurchargeInstallation), else CSIDL_COMMON_APPDATA's; an empty value
// counts as absent. The documents folder is CSIDL_MYDOCUMENTS's. Never raises
// for the registry: a key that cannot be read, or a value that is not a
// string, stops the reading, keeping what was read before it.
void LireSurcharges(std::u16string& ADossierDonneesCommunes, std::u16string& ADossierDocuments);

}  // namespace kv
