#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "TypesDecrits.h"
#include "objets/DescriptionType.h"

namespace kv::test {
namespace {

enum class TypeSigne16 : std::int16_t { s1 = -1, s2 };
enum TypeNonSigne32 : std::uint32_t { ns1, ns2 };

template <class T>
const TInfoTypeOrdinal* Ordinal() {
  return InfoTypeDe<T>().template Comme<TInfoTypeOrdinal>();
}

TEST(DescriptionType, OrdinauxSelonTailleEtSigne) {
  struct Cas {
    const char* Nom;
    const TInfoTypeOrdinal* Info;
    std::int32_t Taille;
    bool Signe;
  };
  for (const Cas& cas : {
           Cas{"bool", Ordinal<bool>(), 1, false},
           Cas{"int8", Ordinal<std::int8_t>(), 1, true},
           Cas{"uint8", Ordinal<std::uint8_t>(), 1, false},
           Cas{"int16", Ordinal<std::int16_t>(), 2, true},
           Cas{"uint16", Ordinal<std::uint16_t>(), 2, false},
           Cas{"int32", Ordinal<std::int32_t>(), 4, true},
           Cas{"uint32", Ordinal<std::uint32_t>(), 4, false},
           Cas{"char16_t", Ordinal<char16_t>(), 2, false},
           Cas{"énumération de 1 octet", Ordinal<TypeCouleur>(), 1, false},
           Cas{"énumération signée de 2 octets", Ordinal<TypeSigne16>(), 2, true},
           Cas{"énumération de 4 octets", Ordinal<TypeNonSigne32>(), 4, false},
       }) {
    ASSERT_NE(cas.Info, nullptr) << cas.Nom;
    EXPECT_EQ(cas.Info->Genre, TypeGenreType::gtOrdinal) << cas.Nom;
    EXPECT_EQ(cas.Info->Taille, cas.Taille) << cas.Nom;
    EXPECT_EQ(cas.Info->Signe, cas.Signe) << cas.Nom;
  }
}

TEST(DescriptionType, GenresSansDonneesEtFlottants) {
  EXPECT_EQ(InfoTypeDe<std::int64_t>().Genre, TypeGenreType::gtEntier64);
  EXPECT_EQ(InfoTypeDe<std::uint64_t>().Genre, TypeGenreType::gtEntier64);
  EXPECT_EQ(InfoTypeDe<long long>().Genre, TypeGenreType::gtEntier64);
  EXPECT_EQ(InfoTypeDe<std::u16string>().Genre, TypeGenreType::gtChaine);
  EXPECT_EQ(InfoTypeDe<TObjetDecrit*>().Genre, TypeGenreType::gtClasse);
  ASSERT_NE(InfoTypeDe<float>().Comme<TInfoTypeFlottant>(), nullptr);
  EXPECT_EQ(InfoTypeDe<float>().Comme<TInfoTypeFlottant>()->Flottant, TypeFlottant::tfSimple);
  EXPECT_EQ(InfoTypeDe<double>().Comme<TInfoTypeFlottant>()->Flottant, TypeFlottant::tfDouble);
  // Comme answers only for the description's own kind.
  EXPECT_EQ(InfoTypeDe<double>().Comme<TInfoTypeOrdinal>(), nullptr);
  EXPECT_EQ(InfoTypeDe<std::u16string>().Comme<TInfoTypeRecord>(), nullptr);
}

TEST(DescriptionType, EnsembleParSonNombreDOctets) {
  const auto* couleurs = InfoTypeDe<TypeCouleurs>().Comme<TInfoTypeEnsemble>();
  ASSERT_NE(couleurs, nullptr);
  EXPECT_EQ(couleurs->NombreOctets, 1);
  const auto* large = InfoTypeDe<TEnsemble<std::uint8_t, 3, 21>>().Comme<TInfoTypeEnsemble>();
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(large->NombreOctets, 3);
}

TEST(DescriptionType, TableauxStatiques) {
  struct Cas {
    const char* Nom;
    const TInfoType& Info;
    std::int32_t Taille;
    std::int32_t NombreElements;
    const TInfoType& Element;
  };
  for (const Cas& cas : {
           Cas{"int32[4]", InfoTypeDe<std::int32_t[4]>(), 16, 4, InfoTypeDe<std::int32_t>()},
           Cas{"std::array<double, 3>", InfoTypeDe<std::array<double, 3>>(), 24, 3,
               InfoTypeDe<double>()},
           Cas{"int16[2][3]", InfoTypeDe<std::int16_t[2][3]>(), 12, 2,
               InfoTypeDe<std::int16_t[3]>()},
           Cas{"std::u16string[2]", InfoTypeDe<std::u16string[2]>(),
               static_cast<std::int32_t>(2 * sizeof(std::u16string)), 2,
               InfoTypeDe<std::u16string>()},
       }) {
    const auto* tableau = cas.Info.Comme<TInfoTypeTableauStatique>();
    ASSERT_NE(tableau, nullptr) << cas.Nom;
    EXPECT_EQ(tableau->Taille, cas.Taille) << cas.Nom;
    EXPECT_EQ(tableau->NombreElements, cas.NombreElements) << cas.Nom;
    EXPECT_EQ(tableau->TypeElement(), &cas.Element) << cas.Nom;
  }
  // The inner arrays of int16[2][3] are arrays of 3 int16.
  const auto* interne = InfoTypeDe<std::int16_t[3]>().Comme<TInfoTypeTableauStatique>();
  EXPECT_EQ(interne->Taille, 6);
  EXPECT_EQ(interne->NombreElements, 3);
}

TEST(DescriptionType, TableauxDynamiquesAvecLeTypeDElementAReleaser) {
  struct Cas {
    const char* Nom;
    const TInfoType& Info;
    std::int32_t TailleElement;
    const TInfoType& Element;
    bool Gere;
  };
  for (const Cas& cas : {
           Cas{"int32", InfoTypeDe<TTableauDynamique<std::int32_t>>(), 4,
               InfoTypeDe<std::int32_t>(), false},
           Cas{"TypePoint", InfoTypeDe<TTableauDynamique<TypePoint>>(), 16, InfoTypeDe<TypePoint>(),
               false},
           Cas{"u16string", InfoTypeDe<TTableauDynamique<std::u16string>>(),
               static_cast<std::int32_t>(sizeof(std::u16string)), InfoTypeDe<std::u16string>(),
               true},
           Cas{"TRef<ISimple>", InfoTypeDe<TTableauDynamique<TRef<ISimple>>>(), 8,
               InfoTypeInterfaceDe<ISimple>(), true},
           Cas{"record avec chaîne", InfoTypeDe<TTableauDynamique<TypeToutesFormes>>(),
               static_cast<std::int32_t>(sizeof(TypeToutesFormes)), InfoTypeDe<TypeToutesFormes>(),
               true},
           Cas{"tableau de tableaux", InfoTypeDe<TTableauDynamique<TTableauDynamique<double>>>(), 8,
               InfoTypeDe<TTableauDynamique<double>>(), true},
       }) {
    const auto* tableau = cas.Info.Comme<TInfoTypeTableauDynamique>();
    ASSERT_NE(tableau, nullptr) << cas.Nom;
    EXPECT_EQ(tableau->TailleElement, cas.TailleElement) << cas.Nom;
    EXPECT_EQ(tableau->TypeElement(), &cas.Element) << cas.Nom;
    EXPECT_EQ(tableau->TypeElementGere(), cas.Gere ? &cas.Element : nullptr) << cas.Nom;
  }
}

TEST(DescriptionType, RecordChampParChamp) {
  struct Cas {
    const char16_t* Nom;
    std::size_t Offset;
    const TInfoType& Type;
  };
  const Cas attendus[] = {
      {u"Octet", offsetof(TypeToutesFormes, Octet), InfoTypeDe<std::uint8_t>()},
      {u"Entier", offsetof(TypeToutesFormes, Entier), InfoTypeDe<std::int32_t>()},
      {u"Reel", offsetof(TypeToutesFormes, Reel), InfoTypeDe<double>()},
      {u"Chaine", offsetof(TypeToutesFormes, Chaine), InfoTypeDe<std::u16string>()},
      {u"Interface", offsetof(TypeToutesFormes, Interface), InfoTypeInterfaceDe<ISimple>()},
      {u"Objet", offsetof(TypeToutesFormes, Objet), InfoTypeDe<TObjetDecrit*>()},
      {u"Dynamique", offsetof(TypeToutesFormes, Dynamique),
       InfoTypeDe<TTableauDynamique<std::int16_t>>()},
      {u"Statique", offsetof(TypeToutesFormes, Statique), InfoTypeDe<std::int16_t[3]>()},
      {u"Guid", offsetof(TypeToutesFormes, Guid), InfoTypeGuid()},
      {u"Couleurs", offsetof(TypeToutesFormes, Couleurs), InfoTypeDe<TypeCouleurs>()},
      {u"Point", offsetof(TypeToutesFormes, Point), InfoTypeDe<TypePoint>()},
      {u"Paire", offsetof(TypeToutesFormes, Paire), InfoTypeDe<std::array<float, 2>>()},
      {u"Grand", offsetof(TypeToutesFormes, Grand), InfoTypeDe<std::int64_t>()},
  };
  const auto* record = InfoTypeDe<TypeToutesFormes>().Comme<TInfoTypeRecord>();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Taille, static_cast<std::int32_t>(sizeof(TypeToutesFormes)));
  ASSERT_EQ(record->Champs.size(), std::size(attendus));
  for (std::size_t i = 0; i < std::size(attendus); ++i) {
    const TypeInfoChamp& champ = record->Champs[i];
    EXPECT_EQ(champ.Nom, attendus[i].Nom) << i;
    EXPECT_EQ(champ.Offset, static_cast<std::int32_t>(attendus[i].Offset)) << i;
    EXPECT_EQ(&champ.Type(), &attendus[i].Type) << i;
  }
  // Natural alignment leaves gaps: after the byte, after the three int16.
  EXPECT_EQ(record->Champs[1].Offset, 4);
}

TEST(DescriptionType, LeRecordDesGuidEstReconnuParSonAdresse) {
  const TInfoTypeRecord& guid = InfoTypeGuid();
  EXPECT_EQ(&guid, InfoTypeDe<TGUID>().Comme<TInfoTypeRecord>());
  EXPECT_EQ(&guid, InfoTypeDe<const TGUID>().Comme<TInfoTypeRecord>());
  EXPECT_EQ(guid.Taille, 16);
  ASSERT_EQ(guid.Champs.size(), 4u);
  EXPECT_EQ(guid.Champs[0].Nom, u"D1");
  EXPECT_EQ(guid.Champs[0].Offset, 0);
  EXPECT_EQ(&guid.Champs[0].Type(), &InfoTypeDe<std::uint32_t>());
  EXPECT_EQ(guid.Champs[2].Offset, 6);
  const auto* d4 = guid.Champs[3].Type().Comme<TInfoTypeTableauStatique>();
  ASSERT_NE(d4, nullptr);
  EXPECT_EQ(guid.Champs[3].Offset, 8);
  EXPECT_EQ(d4->NombreElements, 8);
  EXPECT_EQ(d4->TypeElement(), &InfoTypeDe<std::uint8_t>());
}

TEST(DescriptionType, UneDescriptionParTypeDansToutLeProgramme) {
  EXPECT_EQ(&InfoTypeDe<TypeToutesFormes>(), &InfoTypeToutesFormesAutreUnite());
  EXPECT_EQ(&InfoTypeDe<const TypeToutesFormes>(), &InfoTypeDe<TypeToutesFormes>());
  EXPECT_EQ(&InfoTypeDe<volatile std::int32_t>(), &InfoTypeDe<std::int32_t>());
  EXPECT_EQ(static_cast<const TInfoType*>(&InfoTypeInterfaceDe<ISimple>()),
            &InfoTypeSimpleAutreUnite());
  EXPECT_EQ(static_cast<const TInfoType*>(&InfoTypeInterfaceDe<ISimple>()),
            &InfoTypeDe<TRef<ISimple>>());
  // Same data, different C++ types: different descriptions.
  EXPECT_NE(&InfoTypeDe<std::int32_t[4]>(), (&InfoTypeDe<std::array<std::int32_t, 4>>()));
  EXPECT_NE(&InfoTypeDe<std::uint8_t>(), &InfoTypeDe<TypeCouleur>());
}

}  // namespace
}  // namespace kv::test
