#include "comparaison/ComparateurParDefaut.h"

namespace kv {

TRef<IComparateurNonType> TComparerDecl::GetComparateur() {
  throw EAbstractError(u"Erreur abstraite");
}

DefaultComparer::DefaultComparer(TClassComparerDecl ADeclaration) {
  if (!ADeclaration) throw EArgumentInvalide(u"Classe de déclaration de comparateur absente.");
  FComparateur_ = ADeclaration();
}

}  // namespace kv
