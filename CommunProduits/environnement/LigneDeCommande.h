#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "objets/ClasseNonInstanciable.h"

namespace kv {

// The one reading of the process's command line that the whole framework
// shares; see TListeArguments for the grammar. The list is the platform's:
// element 0 is the executable's path, then the words the process was started
// with.
class TLigneDeCommande : public TClasseNonInstanciable {
 public:
  // Worked out on first use and kept, since the list cannot change.
  static std::int32_t ParamCount();
  static std::u16string ParamStr(std::int32_t AIndex);
  static bool IemeParametreEst(std::int32_t AIndex, std::u16string_view aCommutateur);
  static bool ParametrePresent(std::u16string_view aCommutateur);
  static bool ValeurParam(std::u16string_view aCommutateur, std::u16string& aValeur);
  static std::vector<std::u16string> ParamsDbg();
  static std::u16string GetLigneDeCommandeEntiere(bool AAvecNomExe);

  static bool ParametreEstUneOption(std::u16string_view AParam);
  // "/h", "/H", "/?", "-h", "-help", "--help" and "-?", nothing else.
  static bool ParametreEstOptionAide(std::u16string_view AParam);
  static bool AideDemandee(std::span<const std::u16string> AParametres);
};

}  // namespace kv
