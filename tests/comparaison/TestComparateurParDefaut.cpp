#include <gtest/gtest.h>

#include <cstdint>

#include "comparaison/ComparateurParDefaut.h"

namespace kv {
namespace {

int GAppelsDeclaration = 0;

// Declares a signed comparison, where the default would not.
class TComparerEntierSigne : public TComparerDecl {
 public:
  static TRef<IComparateurNonType> GetComparateur() {
    ++GAppelsDeclaration;
    return Nouveau<TComparateurNonTypeFoncComparaison>(&TBaseComparer::ComparerInteger);
  }
};

// Supplies nothing: TComparerDecl's own operation is the one reached.
class TComparerSansOperation : public TComparerDecl {};

struct TTypeDeclare {
  std::int32_t FValeur;
};

}  // namespace

template <>
struct DeclarationComparateurParDefaut<TTypeDeclare> {
  using Type = TComparerEntierSigne;
};

namespace {

TEST(ComparateurParDefaut, DeclarationQuiFournitLeComparateur) {
  GAppelsDeclaration = 0;
  const DefaultComparer attribut = ComparateurParDefaut<TTypeDeclare>();
  EXPECT_EQ(GAppelsDeclaration, 1);
  ASSERT_TRUE(attribut.Comparateur());
  const TTypeDeclare moins{-1};
  const TTypeDeclare un{1};
  EXPECT_EQ(attribut.Comparateur()->Comparer(&moins, &un), -1) << "signed, as declared";
  EXPECT_EQ(attribut.Comparateur(), attribut.Comparateur()) << "asked once, kept";
  EXPECT_EQ(GAppelsDeclaration, 1);

  const DefaultComparer direct(ClasseComparerDecl<TComparerEntierSigne>());
  EXPECT_EQ(direct.Comparateur()->Comparer(&un, &moins), 1);
}

TEST(ComparateurParDefaut, DeclarationAbstraite) {
  for (TClassComparerDecl classe :
       {ClasseComparerDecl<TComparerDecl>(), ClasseComparerDecl<TComparerSansOperation>()}) {
    try {
      DefaultComparer attribut(classe);
      FAIL() << "abstract error expected";
    } catch (const EAbstractError& e) {
      EXPECT_EQ(e.Message(), u"Erreur abstraite");
      EXPECT_EQ(e.NomClasse(), u"EAbstractError");
    }
  }
  EXPECT_THROW(DefaultComparer(nullptr), EArgumentInvalide);
}

}  // namespace
}  // namespace kv
