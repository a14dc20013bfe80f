#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "objets/GuidsServices.h"
#include "objets/Interface.h"

namespace kv {

// Folders that replace, for this installation or this machine, the roots from
// which the special folders are derived: value name to folder. Filled by code
// at run time; the special folders persist the list in the machine's registry
// and read the overrides back from there (ImplSurchargeRepertoiresWindows.h).
class ISurchargeRepertoiresWindows : public IInterface {
 public:
  static constexpr TGUID IID = GUID_ISurchargeRepertoiresWindows;

  // False, keeping the first folder, when ANom is already there; names are
  // compared exactly, letter case included.
  virtual bool AjouterSurcharge(std::u16string_view ANom, std::u16string_view AChemin) = 0;
  virtual std::vector<std::u16string> GetNomsSurcharges() = 0;
  // Raises EListError for a name that is not there.
  virtual std::u16string GetSurcharge(std::u16string_view ANom) = 0;

 protected:
  ~ISurchargeRepertoiresWindows() = default;
};

}  // namespace kv
