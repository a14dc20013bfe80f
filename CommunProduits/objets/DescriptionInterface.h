#pragma once

// Descriptions of interfaces, made from their C++ declarations. An interface
// is described once, at namespace scope next to its declaration, by its parent
// and its own methods in the order of the declaration, each with the names of
// its parameters:
//
//   class ICompteur : public IInterface {
//    public:
//     static constexpr TGUID IID = GuidLitteral("{...}");
//     virtual std::int32_t Ajouter(std::int32_t AValeur, const std::u16string& ANom) = 0;
//     virtual void Lire(TSortie<TTableauDynamique<std::int32_t>> AValeurs) = 0;
//    protected:
//     ~ICompteur() = default;
//   };
//   KV_DECRIRE_INTERFACE(ICompteur, IInterface,
//                        KV_METHODE(Ajouter, AValeur, ANom),
//                        KV_METHODE(Lire, AValeurs));
//
// InfoTypeInterfaceDe<ICompteur>() (or InfoTypeDe<TRef<ICompteur>>()) is then
// its description. Everything but the names is derived from the declaration:
// parameter flags and types, result type, slot in the table. Forms of
// parameters:
//
//   T                      by value (no flag): a value type of DescriptionType.h, or I* for
//                          an interface (never TRef<I>)
//   const T&               const
//   T&                     var
//   TSortie<T>             out (objets/Sortie.h), passed by value
//   TTableauOuvert<T>      open array of T, passed by value; const when T is const
//
// A result is void or a value type of DescriptionType.h. Refused: T&&, const
// float& and const double& (pass floating point by value), references to
// TSortie or TTableauOuvert, a raw I* result. A method name may not be
// overloaded: services find methods by name.
//
// The slots are checked when the description is first asked for: the listed
// methods must occupy, in order, the slots that follow the parent's last one
// (IInterface has the first three); a method left out or listed out of order
// raises EDescriptionInterface naming the interface and the method. A method
// left out after the last listed one escapes this check until a described
// interface derives from the interface.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "commun/Exception.h"
#include "objets/DescriptionType.h"

namespace kv {

// A description that does not match its interface's declaration: a
// programming error.
KV_DECLARER_EXCEPTION(EDescriptionInterface, Exception);

namespace detail {

// What KV_METHODE finds when the name designates no method of the interface, or several.
struct TMethodeIntrouvable {};

template <class AMembre>
struct TSignature {
  static_assert(Faux<AMembre>,
                "KV_METHODE : le nom ne désigne pas une méthode sans qualificatif (const, "
                "volatile, &, &&) ni liste variable d'arguments");
};

// Already refused by TMethodeDecrite: nothing more to say.
template <>
struct TSignature<TMethodeIntrouvable> {
  using TypeClasse = TMethodeIntrouvable;
  using TypeResultat = void;
  using TypeParametres = std::tuple<>;
};

template <class AClasse, class AResultat, class... AParametres>
struct TSignature<AResultat (AClasse::*)(AParametres...)> {
  using TypeClasse = AClasse;
  using TypeResultat = AResultat;
  using TypeParametres = std::tuple<AParametres...>;
};

template <class AClasse, class AResultat, class... AParametres>
struct TSignature<AResultat (AClasse::*)(AParametres...) noexcept>
    : TSignature<AResultat (AClasse::*)(AParametres...)> {};

// The description of a parameter of C++ type A, by value.
template <class A>
struct TFormeParametre {
  static_assert(!EstInstanceDe<A, TRef>,
                "TRef<I> ne se passe pas par valeur : I* en entrée, TRef<I>& pour un paramètre "
                "var, const TRef<I>& pour un paramètre const");
  static constexpr TypeDrapeauxParametre Drapeaux = 0;
  static const TInfoType& Type() {
    if constexpr (std::is_pointer_v<A> && EstInterface<std::remove_pointer_t<A>>) {
      static_assert(EstInterfaceDecrite<std::remove_pointer_t<A>>(),
                    "interface non décrite : décrivez-la avec KV_DECRIRE_INTERFACE à côté de sa "
                    "déclaration");
      return InfoTypeInterfaceDe<std::remove_pointer_t<A>>();
    } else {
      return InfoTypeDe<A>();
    }
  }
};

template <class A>
struct TFormeParametre<A&> {
  using TypeValeur = std::remove_const_t<A>;
  static_assert(!(std::is_const_v<A> && std::is_floating_point_v<TypeValeur>),
                "un flottant se passe par valeur, pas par const T&");
  static_assert(!EstInstanceDe<TypeValeur, TTableauOuvert>,
                "un tableau ouvert se passe par valeur : TTableauOuvert<const T> pour un "
                "paramètre const");
  static_assert(!EstInstanceDe<TypeValeur, TSortie>, "TSortie<T> se passe par valeur");
  static constexpr TypeDrapeauxParametre Drapeaux =
      std::is_const_v<A> ? DrapeauParametre(TypeDrapeauParametre::dpConst)
                         : DrapeauParametre(TypeDrapeauParametre::dpVar);
  static const TInfoType& Type() { return InfoTypeDe<TypeValeur>(); }
};

template <class A>
struct TFormeParametre<A&&> {
  static_assert(Faux<A>, "T&& n'est pas une forme décrite : T, const T& ou T&");
};

template <class T>
struct TFormeParametre<TSortie<T>> {
  static constexpr TypeDrapeauxParametre Drapeaux =
      DrapeauParametre(TypeDrapeauParametre::dpSortie);
  static const TInfoType& Type() { return InfoTypeDe<T>(); }
};

template <class AElement>
struct TFormeParametre<TTableauOuvert<AElement>> {
  static constexpr TypeDrapeauxParametre Drapeaux =
      DrapeauParametre(TypeDrapeauParametre::dpTableauOuvert) |
      (std::is_const_v<AElement> ? DrapeauParametre(TypeDrapeauParametre::dpConst) : 0);
  static const TInfoType& Type() { return InfoTypeDe<AElement>(); }
};

template <class AResultat>
constexpr TypeAccesInfoType AccesTypeResultat() {
  static_assert(!std::is_reference_v<AResultat>,
                "un résultat se rend par valeur ; TSortie<T> pour une sortie");
  static_assert(!(std::is_pointer_v<AResultat> && EstInterface<std::remove_pointer_t<AResultat>>),
                "une interface se rend dans TRef<I>, qui tient le compte de la référence");
  if constexpr (std::is_void_v<AResultat>) {
    return nullptr;
  } else {
    return &InfoTypeDe<AResultat>;
  }
}

// 0 for a blank list; otherwise one more than the commas.
constexpr std::size_t CompterNoms(std::u16string_view ANoms) {
  if (ANoms.find_first_not_of(u' ') == std::u16string_view::npos) return 0;
  std::size_t nombre = 1;
  for (char16_t caractere : ANoms) nombre += caractere == u',' ? 1 : 0;
  return nombre;
}

// The names of the comma-separated list ANoms, without spaces around them.
template <std::size_t ANombre>
constexpr std::array<std::u16string_view, ANombre> DecouperNoms(std::u16string_view ANoms) {
  std::array<std::u16string_view, ANombre> noms{};
  for (std::size_t i = 0; i < ANombre && !ANoms.empty(); ++i) {
    const std::size_t virgule = ANoms.find(u',') < ANoms.size() ? ANoms.find(u',') : ANoms.size();
    std::u16string_view nom = ANoms.substr(0, virgule);
    while (!nom.empty() && nom.front() == u' ') nom.remove_prefix(1);
    while (!nom.empty() && nom.back() == u' ') nom.remove_suffix(1);
    noms[i] = nom;
    ANoms.remove_prefix(virgule < ANoms.size() ? virgule + 1 : ANoms.size());
  }
  return noms;
}

template <std::size_t ANombre>
constexpr bool NomsComplets(std::u16string_view ANoms) {
  if (CompterNoms(ANoms) != ANombre) return false;
  for (std::u16string_view nom : DecouperNoms<ANombre>(ANoms)) {
    if (nom.empty()) return false;
  }
  return true;
}

// One method as KV_METHODE lists it; AObtenir gives the pointer to member.
template <class AInterface, class AObtenir>
struct TMethodeDecrite {
  using TypePointeur = decltype(AObtenir{}(static_cast<AInterface*>(nullptr)));
  static_assert(!std::is_same_v<TypePointeur, TMethodeIntrouvable>,
                "KV_METHODE : l'interface n'a pas de méthode de ce nom, ou en a plusieurs (les "
                "méthodes d'une interface décrite portent des noms distincts)");

  static constexpr TypePointeur Pointeur() { return AObtenir{}(static_cast<AInterface*>(nullptr)); }

  std::u16string_view Nom;
  std::u16string_view NomsParametres;  // as written: "A, B"
};

template <class AInterface, class AObtenir>
constexpr TMethodeDecrite<AInterface, AObtenir> DecrireMethode(AObtenir, std::u16string_view ANom,
                                                               std::u16string_view ANoms) {
  return {ANom, ANoms};
}

template <class AInterface, class AParent, class... AMethodes>
struct TDescriptionInterface {
  using TypeInterface = AInterface;
  using TypeParent = AParent;
  std::u16string_view Nom;
  std::tuple<AMethodes...> Methodes;
};

template <class AInterface, class AParent, class... AMethodes>
constexpr TDescriptionInterface<AInterface, AParent, AMethodes...> DecrireInterface(
    std::u16string_view ANom, AMethodes... AListe) {
  return {ANom, {AListe...}};
}

template <class AInterface>
inline constexpr auto DescriptionInterfaceDe =
    DescriptionInterfaceKv(static_cast<const AInterface*>(nullptr));

template <class AInterface>
using TypeParentDe = typename decltype(DescriptionInterfaceDe<AInterface>)::TypeParent;

template <class AInterface>
inline constexpr std::size_t NombreMethodesPropres =
    std::tuple_size_v<decltype(DescriptionInterfaceDe<AInterface>.Methodes)>;

// The methods of AInterface after the three of IInterface, its parents' included.
template <class AInterface>
constexpr std::size_t NombreMethodes() {
  if constexpr (std::is_same_v<AInterface, IInterface>) {
    return 0;
  } else {
    return NombreMethodes<TypeParentDe<AInterface>>() + NombreMethodesPropres<AInterface>;
  }
}

template <class... AParametres, std::size_t... ARangs>
constexpr std::array<TypeInfoParametre, sizeof...(AParametres)> InfoParametres(
    const std::array<std::u16string_view, sizeof...(AParametres)>& ANoms,
    std::tuple<AParametres...>*, std::index_sequence<ARangs...>) {
  return {TypeInfoParametre{ANoms[ARangs], TFormeParametre<AParametres>::Drapeaux,
                            &TFormeParametre<AParametres>::Type}...};
}

// Method ARang of those AInterface declares itself.
template <class AInterface, std::size_t ARang>
struct TMethode {
  static constexpr const auto& Decrite =
      std::get<ARang>(DescriptionInterfaceDe<AInterface>.Methodes);
  using TypeDecrite = std::remove_cvref_t<decltype(Decrite)>;
  using TypeSignature = TSignature<typename TypeDecrite::TypePointeur>;
  using TypeParametres = typename TypeSignature::TypeParametres;
  static constexpr std::size_t NombreParametres = std::tuple_size_v<TypeParametres>;

  static constexpr bool Trouvee =
      !std::is_same_v<typename TypeDecrite::TypePointeur, TMethodeIntrouvable>;
  static_assert(!Trouvee || std::is_same_v<typename TypeSignature::TypeClasse, AInterface>,
                "KV_METHODE : la méthode est déclarée par une interface parente ; elle se décrit "
                "avec celle-ci");
  static_assert(!Trouvee || NomsComplets<NombreParametres>(Decrite.NomsParametres),
                "KV_METHODE : nommez chaque paramètre, dans l'ordre de la déclaration");

  static constexpr std::array<TypeInfoParametre, NombreParametres> Parametres = InfoParametres(
      DecouperNoms<NombreParametres>(Decrite.NomsParametres), static_cast<TypeParametres*>(nullptr),
      std::make_index_sequence<NombreParametres>());
  static constexpr TypeAccesInfoType AccesResultat =
      AccesTypeResultat<typename TypeSignature::TypeResultat>();
};

// The slot that the pointer to member at APointeur (ATaille bytes) designates,
// checked against AIndiceAttendu; raises EDescriptionInterface otherwise.
std::int32_t VerifierIndiceMethode(std::u16string_view AInterface, std::u16string_view AMethode,
                                   const void* APointeur, std::size_t ATaille,
                                   std::int32_t AIndiceAttendu);

template <class AInterface, std::size_t ARang>
TypeInfoMethode ConstruireInfoMethode(std::int32_t AIndiceAttendu) {
  using TypeMethode = TMethode<AInterface, ARang>;
  const auto pointeur = TypeMethode::TypeDecrite::Pointeur();
  const std::int32_t indice =
      VerifierIndiceMethode(DescriptionInterfaceDe<AInterface>.Nom, TypeMethode::Decrite.Nom,
                            &pointeur, sizeof pointeur, AIndiceAttendu);
  return {TypeMethode::Decrite.Nom, indice, TypeMethode::AccesResultat, TypeMethode::Parametres};
}

const TInfoTypeInterface& InfoTypeIInterface() noexcept;

// Describes the methods AInterface declares itself into ADestination, checking
// their slots: IInterface's three come first, then the parents' methods.
template <class AInterface, std::size_t... ARangs>
void ConstruireMethodesPropres(TypeInfoMethode* ADestination, std::index_sequence<ARangs...>) {
  constexpr std::size_t premier = 3 + NombreMethodes<TypeParentDe<AInterface>>();
  ((ADestination[ARangs] =
        ConstruireInfoMethode<AInterface, ARangs>(static_cast<std::int32_t>(premier + ARangs))),
   ...);
}

template <class AInterface>
TInfoTypeInterface ConstruireInfoInterface() {
  using TypeDescription = std::remove_cvref_t<decltype(DescriptionInterfaceDe<AInterface>)>;
  using TypeParent = typename TypeDescription::TypeParent;
  static_assert(std::is_same_v<typename TypeDescription::TypeInterface, AInterface>,
                "interface non décrite : seule une interface dont elle dérive l'est ; décrivez-la "
                "avec KV_DECRIRE_INTERFACE");
  static_assert(EstInterface<TypeParent> && std::is_base_of_v<TypeParent, AInterface> &&
                    !std::is_same_v<TypeParent, AInterface>,
                "KV_DECRIRE_INTERFACE : le parent nommé n'est pas une interface dont elle dérive");
  static_assert(sizeof(AInterface) == sizeof(void*),
                "KV_DECRIRE_INTERFACE : une interface dérive d'un seul parent et n'a pas de "
                "données");
  static_assert(AInterface::IID != TypeParent::IID,
                "KV_DECRIRE_INTERFACE : l'interface ne déclare pas son propre IID");

  constexpr std::size_t nombreParent = NombreMethodes<TypeParent>();
  constexpr std::size_t nombrePropres = NombreMethodesPropres<AInterface>;
  static std::array<TypeInfoMethode, nombreParent + nombrePropres> methodes{};

  const TInfoTypeInterface& parent = InfoTypeInterfaceDe<TypeParent>();
  for (std::size_t i = 0; i < nombreParent; ++i) methodes[i] = parent.Methodes[i];
  ConstruireMethodesPropres<AInterface>(methodes.data() + nombreParent,
                                        std::make_index_sequence<nombrePropres>());
  return {{TypeGenreType::gtInterface},
          AInterface::IID,
          DescriptionInterfaceDe<AInterface>.Nom,
          &parent,
          methodes};
}

}  // namespace detail

template <class I>
const TInfoTypeInterface& InfoTypeInterfaceDe() {
  if constexpr (std::is_same_v<I, IInterface>) {
    return detail::InfoTypeIInterface();
  } else {
    // Built and checked on first use; a failed check leaves nothing built, so
    // that every use raises.
    static const TInfoTypeInterface info = detail::ConstruireInfoInterface<I>();
    return info;
  }
}

}  // namespace kv

// Describes the interface AInterface, derived from AParent (IInterface or a
// described interface), by its own methods, each given as
// KV_METHODE(Name, parameter names...) in the order of the declaration. At
// namespace scope, in the interface's namespace.
#define KV_DECRIRE_INTERFACE(AInterface, AParent, ...)                                          \
  [[maybe_unused]] constexpr auto DescriptionInterfaceKv(const AInterface*) {                   \
    using TypeInterfaceDecrite [[maybe_unused]] = AInterface;                                   \
    return ::kv::detail::DecrireInterface<AInterface, AParent>(KV_TEXTE_UTF16(#AInterface)      \
                                                                   __VA_OPT__(, ) __VA_ARGS__); \
  }

#define KV_METHODE(ANom, ...)                                                  \
  ::kv::detail::DecrireMethode<TypeInterfaceDecrite>(                          \
      [](auto* AInterfaceKv) {                                                 \
        using TypeInterfaceKv = std::remove_pointer_t<decltype(AInterfaceKv)>; \
        if constexpr (requires { &TypeInterfaceKv::ANom; }) {                  \
          return &TypeInterfaceKv::ANom;                                       \
        } else {                                                               \
          return ::kv::detail::TMethodeIntrouvable{};                          \
        }                                                                      \
      },                                                                       \
      KV_TEXTE_UTF16(#ANom), KV_TEXTE_UTF16(#__VA_ARGS__))
