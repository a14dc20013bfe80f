#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The option grammar over one argument list: element 0 is the executable's
// path, then the words of the command line. The parameters are the words before
// the first "--"; the words after it are handed over untouched as debug
// parameters. An option is "-" or "/" followed by its name, and its value is the
// next parameter. Comparisons are exact and case-sensitive. The object only
// looks at the list, which must outlive it.
class TListeArguments {
 public:
  using TypeArguments = std::span<const std::u16string>;

  explicit TListeArguments(TypeArguments AArguments)
      : TListeArguments(AArguments, CompterParametres(AArguments)) {}
  // ANombreParametres: CompterParametres(AArguments), known beforehand.
  TListeArguments(TypeArguments AArguments, std::int32_t ANombreParametres)
      : FArguments(AArguments), FNombre(ANombreParametres) {}

  // The number of words before the first "--".
  static std::int32_t CompterParametres(TypeArguments AArguments);

  std::int32_t ParamCount() const { return FNombre; }
  // Empty past ParamCount and for a negative index.
  std::u16string ParamStr(std::int32_t AIndex) const;
  bool IemeParametreEst(std::int32_t AIndex, std::u16string_view aCommutateur) const;
  // Index 0, the executable, is looked at too.
  bool ParametrePresent(std::u16string_view aCommutateur) const;
  // The value following the first occurrence; aValeur is left alone when the
  // option is absent.
  bool ValeurParam(std::u16string_view aCommutateur, std::u16string& aValeur) const;
  std::vector<std::u16string> ParamsDbg() const;
  // The parameters joined with spaces; those holding a space are put between
  // double quotes, nothing else is escaped.
  std::u16string GetLigneDeCommandeEntiere(bool AAvecNomExe) const;

 private:
  std::int32_t NombreMots() const;

  TypeArguments FArguments;
  std::int32_t FNombre;
};

}  // namespace kv
