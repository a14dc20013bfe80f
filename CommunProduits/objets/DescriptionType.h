#pragma once

// Type information made from C++ types at compile time (the model is in
// InfoType.h): InfoTypeDe<T>() is the one description of the type T. What each
// C++ form becomes:
//
//   bool, std::int8_t .. std::uint32_t, char16_t, enumerations
//                                  ordinal of the same size and sign
//   std::int64_t, std::uint64_t    64-bit integer
//   float, double                  floating point, single or double
//   TEnsemble<E, APremier, ADernier> (objets/Ensemble.h)   set
//   std::u16string                 string
//   TRef<I>, I a described interface   interface
//   T*, T derived from TObjetInterfacable   class
//   TTableauDynamique<T>           dynamic array
//   T[N], std::array<T, N>         static array
//   a record described with KV_DECRIRE_RECORD   record; TGUID is the GUID record
//
// Anything else does not compile, with a message that says what to use
// instead. Interfaces are described with KV_DECRIRE_INTERFACE
// (DescriptionInterface.h), which also gives the forms of parameters.
//
// A record is described once, at namespace scope next to its declaration, by
// listing every field in the order of the declaration:
//
//   struct TypePoint {
//     double X;
//     double Y;
//   };
//   KV_DECRIRE_RECORD(TypePoint, KV_CHAMP(X), KV_CHAMP(Y));
//
// Offsets come from offsetof and types from the fields' declarations. The
// record must be standard-layout with natural alignment, and the listed fields
// must account for all of it: a field left out or listed out of order does not
// compile. A record whose fields are all trivially copyable must be trivially
// copyable itself (no copy or destructor of its own), since the serialization
// layer copies such records as bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "commun/Exception.h"
#include "objets/Ensemble.h"
#include "objets/Guid.h"
#include "objets/InfoType.h"
#include "objets/Interface.h"
#include "objets/Reference.h"
#include "objets/Sortie.h"
#include "objets/TableauDynamique.h"
#include "objets/TableauOuvert.h"

namespace kv {

class TObjetInterfacable;

// The description of T (cv-qualifiers ignored).
template <class T>
const TInfoType& InfoTypeDe();

// The description of the described interface I (DescriptionInterface.h).
template <class I>
const TInfoTypeInterface& InfoTypeInterfaceDe();

namespace detail {

template <class>
inline constexpr bool Faux = false;

// Ends the branches that refuse a type, after their static_assert: never
// defined, never reached.
const TInfoType& TypeRefuse();

template <class T, template <class...> class AModele>
inline constexpr bool EstInstanceDe = false;
template <template <class...> class AModele, class... AArguments>
inline constexpr bool EstInstanceDe<AModele<AArguments...>, AModele> = true;

template <class>
inline constexpr bool EstEnsemble = false;
template <class AElement, AElement APremier, AElement ADernier>
inline constexpr bool EstEnsemble<TEnsemble<AElement, APremier, ADernier>> = true;

template <class>
inline constexpr bool EstTableauStd = false;
template <class AElement, std::size_t ANombre>
inline constexpr bool EstTableauStd<std::array<AElement, ANombre>> = true;

template <class T>
inline constexpr bool EstCaractereRefuse =
    std::is_same_v<T, char> || std::is_same_v<T, wchar_t> || std::is_same_v<T, char8_t> ||
    std::is_same_v<T, char32_t>;

template <class T>
inline constexpr bool EstObjet =
    std::conjunction_v<std::is_class<T>, std::is_base_of<TObjetInterfacable, T>>;

template <class T>
inline constexpr bool EstInterface =
    std::conjunction_v<std::is_class<T>, std::is_base_of<IInterface, T>> && !EstObjet<T>;

// True when I is IInterface or described by KV_DECRIRE_INTERFACE itself (not
// only through the description of an interface it derives from).
template <class I>
constexpr bool EstInterfaceDecrite() {
  if constexpr (std::is_same_v<I, IInterface>) {
    return true;
  } else if constexpr (requires { DescriptionInterfaceKv(static_cast<const I*>(nullptr)); }) {
    using TypeDescription = decltype(DescriptionInterfaceKv(static_cast<const I*>(nullptr)));
    return std::is_same_v<typename TypeDescription::TypeInterface, I>;
  } else {
    return false;
  }
}

// One field as KV_CHAMP lists it; the sizes serve the compile-time checks only.
struct TypeChampDecrit {
  std::u16string_view Nom;
  std::int32_t Offset;
  std::int32_t Taille;
  std::int32_t Alignement;
  bool TrivialementCopiable;
  TypeAccesInfoType AccesType;
};

template <class ARecord, std::size_t ANombre>
struct TDescriptionRecord {
  using TypeRecord = ARecord;
  std::array<TypeChampDecrit, ANombre> Champs;
};

template <class AChamp>
constexpr TypeChampDecrit DecrireChamp(std::u16string_view ANom, std::size_t AOffset) {
  return {ANom,
          static_cast<std::int32_t>(AOffset),
          static_cast<std::int32_t>(sizeof(AChamp)),
          static_cast<std::int32_t>(alignof(AChamp)),
          std::is_trivially_copyable_v<AChamp>,
          &InfoTypeDe<AChamp>};
}

template <class ARecord, class... AChamps>
constexpr TDescriptionRecord<ARecord, sizeof...(AChamps)> DecrireRecord(AChamps... AListe) {
  return {{AListe...}};
}

constexpr std::int32_t AlignerSur(std::int32_t AValeur, std::int32_t AAlignement) {
  return (AValeur + AAlignement - 1) / AAlignement * AAlignement;
}

// The rank of the first field that is not where natural alignment puts it
// after the previous one; ANombre when the fields do not end the record; -1
// when they account for all of it.
template <class ARecord, std::size_t ANombre>
constexpr std::int32_t RangChampMalPlace(const TDescriptionRecord<ARecord, ANombre>& ADescription) {
  std::int32_t offset = 0;
  std::int32_t alignement = 1;
  for (std::size_t i = 0; i < ANombre; ++i) {
    const TypeChampDecrit& champ = ADescription.Champs[i];
    offset = AlignerSur(offset, champ.Alignement);
    if (champ.Offset != offset) return static_cast<std::int32_t>(i);
    offset += champ.Taille;
    if (champ.Alignement > alignement) alignement = champ.Alignement;
  }
  if (AlignerSur(offset, alignement) != static_cast<std::int32_t>(sizeof(ARecord)) ||
      alignement != static_cast<std::int32_t>(alignof(ARecord))) {
    return static_cast<std::int32_t>(ANombre);
  }
  return -1;
}

template <class ARecord, std::size_t ANombre>
constexpr bool ChampsTrivialementCopiables(
    const TDescriptionRecord<ARecord, ANombre>& ADescription) {
  for (const TypeChampDecrit& champ : ADescription.Champs) {
    if (!champ.TrivialementCopiable) return false;
  }
  return true;
}

template <class ARecord, std::size_t ANombre>
constexpr std::array<TypeInfoChamp, ANombre> InfoChamps(
    const TDescriptionRecord<ARecord, ANombre>& ADescription) {
  std::array<TypeInfoChamp, ANombre> champs{};
  for (std::size_t i = 0; i < ANombre; ++i) {
    const TypeChampDecrit& champ = ADescription.Champs[i];
    champs[i] = {champ.Nom, champ.Offset, champ.AccesType};
  }
  return champs;
}

template <class ARecord>
const TInfoType& InfoTypeRecord() {
  static constexpr auto description = DescriptionRecordKv(static_cast<const ARecord*>(nullptr));
  static_assert(std::is_same_v<typename decltype(description)::TypeRecord, ARecord>,
                "type non décrit : seul un type dont il dérive l'est ; décrivez-le avec "
                "KV_DECRIRE_RECORD");
  static_assert(RangChampMalPlace(description) == -1,
                "KV_DECRIRE_RECORD : les champs listés doivent couvrir tout le record, dans "
                "l'ordre de leur déclaration, avec l'alignement naturel (la note donne le rang du "
                "premier champ mal placé, ou le nombre de champs quand il en manque à la fin)");
  static_assert(std::is_trivially_copyable_v<ARecord> || !ChampsTrivialementCopiables(description),
                "KV_DECRIRE_RECORD : un record dont tous les champs se copient octet par octet ne "
                "déclare ni copie ni destructeur à lui");
  static constexpr std::array<TypeInfoChamp, description.Champs.size()> champs =
      InfoChamps(description);
  static constexpr TInfoTypeRecord info{
      {TypeGenreType::gtRecord}, static_cast<std::int32_t>(sizeof(ARecord)), champs};
  return info;
}

template <class T, class AElement, std::size_t ANombre>
const TInfoType& InfoTypeTableau() {
  static constexpr TInfoTypeTableauStatique info{{TypeGenreType::gtTableauStatique},
                                                 static_cast<std::int32_t>(sizeof(T)),
                                                 static_cast<std::int32_t>(ANombre),
                                                 &InfoTypeDe<AElement>};
  return info;
}

template <class T>
const TInfoType& InfoTypeNu() {
  if constexpr (EstCaractereRefuse<T>) {
    static_assert(Faux<T>,
                  "char, wchar_t, char8_t et char32_t ne sont pas décrits : le texte est en "
                  "UTF-16 (char16_t, std::u16string) ; un octet est std::int8_t ou std::uint8_t");
    return TypeRefuse();
  } else if constexpr (std::is_integral_v<T> && sizeof(T) <= 4) {
    static constexpr TInfoTypeOrdinal info{
        {TypeGenreType::gtOrdinal}, static_cast<std::int32_t>(sizeof(T)), std::is_signed_v<T>};
    return info;
  } else if constexpr (std::is_integral_v<T> && sizeof(T) == 8) {
    static constexpr TInfoType info{TypeGenreType::gtEntier64};
    return info;
  } else if constexpr (std::is_enum_v<T>) {
    static_assert(sizeof(T) <= 4, "une énumération décrite tient en 1, 2 ou 4 octets");
    static constexpr TInfoTypeOrdinal info{{TypeGenreType::gtOrdinal},
                                           static_cast<std::int32_t>(sizeof(T)),
                                           std::is_signed_v<std::underlying_type_t<T>>};
    return info;
  } else if constexpr (std::is_same_v<T, long double>) {
    static_assert(Faux<T>,
                  "long double n'a pas la même forme sur toutes les plates-formes : utilisez "
                  "double");
    return TypeRefuse();
  } else if constexpr (std::is_floating_point_v<T>) {
    static constexpr TInfoTypeFlottant info{
        {TypeGenreType::gtFlottant},
        std::is_same_v<T, float> ? TypeFlottant::tfSimple : TypeFlottant::tfDouble};
    return info;
  } else if constexpr (EstEnsemble<T>) {
    static constexpr TInfoTypeEnsemble info{{TypeGenreType::gtEnsemble}, T::NombreOctets};
    return info;
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    static constexpr TInfoType info{TypeGenreType::gtChaine};
    return info;
  } else if constexpr (EstInstanceDe<T, std::basic_string>) {
    static_assert(Faux<T>, "le texte est en UTF-16 : utilisez std::u16string");
    return TypeRefuse();
  } else if constexpr (EstInstanceDe<T, std::basic_string_view>) {
    static_assert(Faux<T>,
                  "une vue ne possède pas son texte : utilisez std::u16string (const "
                  "std::u16string& pour un paramètre d'entrée)");
    return TypeRefuse();
  } else if constexpr (EstInstanceDe<T, TRef>) {
    using TypeInterface = std::remove_cv_t<std::remove_pointer_t<decltype(T().Get())>>;
    static_assert(EstInterface<TypeInterface>,
                  "TRef<T> désigne ici une interface : pour un objet, utilisez T*");
    static_assert(EstInterfaceDecrite<TypeInterface>(),
                  "interface non décrite : décrivez-la avec KV_DECRIRE_INTERFACE à côté de sa "
                  "déclaration");
    return InfoTypeInterfaceDe<TypeInterface>();
  } else if constexpr (EstInstanceDe<T, TTableauDynamique>) {
    using TypeElement = std::remove_cv_t<std::remove_reference_t<decltype(T()[0])>>;
    static constexpr TInfoTypeTableauDynamique info{
        {TypeGenreType::gtTableauDynamique},
        static_cast<std::int32_t>(sizeof(TypeElement)),
        std::is_trivially_copyable_v<TypeElement> ? nullptr : &InfoTypeDe<TypeElement>,
        &InfoTypeDe<TypeElement>};
    return info;
  } else if constexpr (std::is_bounded_array_v<T>) {
    return InfoTypeTableau<T, std::remove_extent_t<T>, std::extent_v<T>>();
  } else if constexpr (EstTableauStd<T>) {
    return InfoTypeTableau<T, typename T::value_type, std::tuple_size_v<T>>();
  } else if constexpr (std::is_pointer_v<T> && EstObjet<std::remove_pointer_t<T>>) {
    static constexpr TInfoType info{TypeGenreType::gtClasse};
    return info;
  } else if constexpr (std::is_pointer_v<T> &&
                       EstInterface<std::remove_cv_t<std::remove_pointer_t<T>>>) {
    static_assert(Faux<T>,
                  "une référence d'interface se garde dans TRef<I> ; I* ne sert qu'aux paramètres "
                  "passés par valeur");
    return TypeRefuse();
  } else if constexpr (std::is_pointer_v<T>) {
    static_assert(Faux<T>,
                  "pointeur brut non décrit : TRef<I> pour une interface, T* pour un objet "
                  "TObjetInterfacable, TSortie<T> pour une sortie, TTableauOuvert<T> ou "
                  "TTableauDynamique<T> pour plusieurs valeurs");
    return TypeRefuse();
  } else if constexpr (EstInstanceDe<T, TTableauOuvert>) {
    static_assert(Faux<T>,
                  "un tableau ouvert n'existe que comme paramètre passé par valeur : "
                  "TTableauDynamique<T> pour le garder");
    return TypeRefuse();
  } else if constexpr (EstInstanceDe<T, TSortie>) {
    static_assert(Faux<T>, "TSortie<T> n'existe que comme paramètre passé par valeur");
    return TypeRefuse();
  } else if constexpr (std::is_reference_v<T>) {
    static_assert(Faux<T>, "une référence n'est ni un champ ni un élément ni un résultat décrit");
    return TypeRefuse();
  } else if constexpr (requires { DescriptionRecordKv(static_cast<const T*>(nullptr)); }) {
    return InfoTypeRecord<T>();
  } else if constexpr (requires {
                         typename T::value_type;
                         typename T::allocator_type;
                       }) {
    static_assert(Faux<T>,
                  "conteneur de la bibliothèque standard : utilisez TTableauDynamique<T>, ou T[N] "
                  "et std::array<T, N> pour un nombre fixe d'éléments");
    return TypeRefuse();
  } else {
    static_assert(Faux<T>,
                  "type non décrit : un record se décrit avec KV_DECRIRE_RECORD à côté de sa "
                  "déclaration ; voir objets/DescriptionType.h pour les autres formes");
    return TypeRefuse();
  }
}

}  // namespace detail

template <class T>
const TInfoType& InfoTypeDe() {
  return detail::InfoTypeNu<std::remove_cv_t<T>>();
}

}  // namespace kv

// Describes the record ARecord by its fields, each given as KV_CHAMP(Name), in
// the order of the declaration. At namespace scope, in the record's namespace.
#define KV_DECRIRE_RECORD(ARecord, ...)                                                          \
  [[maybe_unused]] constexpr auto DescriptionRecordKv(const ARecord*) {                          \
    using TypeRecordDecrit [[maybe_unused]] = ARecord;                                           \
    static_assert(std::is_standard_layout_v<ARecord>,                                            \
                  "KV_DECRIRE_RECORD : " #ARecord                                                \
                  " doit être standard-layout (ni virtuel, ni données dans plusieurs classes " \
                  "de sa hiérarchie, un seul niveau d'accès)");                                  \
    return ::kv::detail::DecrireRecord<ARecord>(__VA_ARGS__);                                    \
  }

#define KV_CHAMP(ANom)                                                                \
  ::kv::detail::DecrireChamp<decltype(TypeRecordDecrit::ANom)>(KV_TEXTE_UTF16(#ANom), \
                                                               offsetof(TypeRecordDecrit, ANom))

namespace kv {

KV_DECRIRE_RECORD(TGUID, KV_CHAMP(D1), KV_CHAMP(D2), KV_CHAMP(D3), KV_CHAMP(D4));

// The GUID record, which the serialization layer recognises by identity.
inline const TInfoTypeRecord& InfoTypeGuid() {
  return *InfoTypeDe<TGUID>().Comme<TInfoTypeRecord>();
}

}  // namespace kv
