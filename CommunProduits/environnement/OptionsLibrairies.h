#pragma once

// The switches shared by the framework's libraries: debugging aids, trace
// levels, checks, network tuning and feature toggles. Code that needs an option
// reads OptionsLibrairiesCourantes directly.
//
// The record describes itself for a generic options tool: C++ keeps nothing of
// a record's fields at run time, so one table beside the record gives, for each
// leaf field, its group and field names, its kind, its description and how to
// reach it in a record. The table is built from the field names themselves, so
// a name cannot drift from its field; a test checks that no field is left out.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "commun/Exception.h"

namespace kv {

enum class TypeOptionDecalage : std::uint8_t { cDecalageAucun, cDecalageAleatoire, cDecalageFixe };
enum class TypeOptionAssert : std::uint8_t { cAssertStd, cAssertAsmInt3, cAssertDialogue };

// Fields start zeroed; the defaults are OptionsLibrairiesParDefaut.
struct TypeOptionsLibrairies {
  struct TypeTrace {
    bool actif{};
    std::uint32_t tracerblocs{};
  };
  struct TypeXi {
    bool debugxi{};
    TypeOptionDecalage decalagenumeros{};
    bool verifximodifie{};
    bool verifindexes{};
    bool IgnoreCheckCurrent{};
    bool autoriseZeroDansMasqueRecherche{};
    std::int32_t SeuilSuppressionMultiple{};
  };
  struct TypeAssertions {
    TypeOptionAssert OptionAssertThreadPrincipal{};
    TypeOptionAssert OptionAssertAutreThread{};
  };
  struct TypeNetbase {
    bool affichageTrace{};
    bool verificationpostlecture{};
    bool boitechecktransactionclient{};
    bool NouvelleBaseCommeExemple{};
    bool VerifierDechiffrementALaLecture{};
  };
  struct TypeDatabase {
    bool coutVerificateurs{};
  };
  struct TypeResultatbase {
    bool tracer{};
    bool tracerpileappel{};
    std::int32_t profondeurpileappels{};
  };
  struct TypeServeurhttp {
    bool ActiverKeepAlive{};
  };
  struct TypeReseau {
    std::uint32_t TaillePaquetsFlux{};
    std::uint32_t TraceChargementBase{};
    std::uint32_t TraceFormatEchangeServeur{};
    std::uint32_t TraceFormatEchangeClient{};
  };
  struct TypeInterlocuteur {
    std::int32_t DelaiAttenteMax{};
  };
  struct TypeGestionTransfertFlux {
    bool CalculEmpreinteFluxComplet{};
    bool OptimisationCacheActivee{};
    bool TraceCalculFluxMinimal{};
  };
  struct TypeGuiKorvel {
    std::uint32_t DelaiEditabiliteDoubleClicMultilignes{};
  };
  struct TypeServiceWeb {
    bool ValiderRequetes{};
    bool ValiderReponses{};
  };
  struct TypeGestionThemesVCL {
    bool themeactif{};
    bool chargementdepuisfichier{};
    std::u16string fichier{};
    bool ModeSombre{};
  };
  struct TypeSuggestionSaisieFormatRNVP {
    bool Afficher{};
  };

  bool debug{};
  TypeTrace trace{};
  TypeXi xi{};
  TypeAssertions assertions{};
  TypeNetbase netbase{};
  TypeDatabase database{};
  TypeResultatbase resultatbase{};
  TypeServeurhttp serveurhttp{};
  TypeReseau reseau{};
  TypeInterlocuteur Interlocuteur{};
  TypeGestionTransfertFlux GestionTransfertFlux{};
  TypeGuiKorvel GuiKorvel{};
  TypeServiceWeb ServiceWeb{};
  bool ComparaisonsParIcu{};
  bool TolererInenxistenceJetonLogin{};
  bool AffichagesToujoursVisibles{};
  bool EspionStructureKorvel{};
  std::int32_t TempsRalentissementArretServiceWindows{};
  bool BoutonTableAffListesSelec{};
  TypeGestionThemesVCL GestionThemesVCL{};
  TypeSuggestionSaisieFormatRNVP SuggestionSaisieFormatRNVP{};
  bool AutoriserParseurListeAutomatique{};
  bool ForcerParseurListeAutomatique{};
};

extern const TypeOptionsLibrairies OptionsLibrairiesParDefaut;
// A copy of the defaults made when the program starts; valid from main() on.
extern TypeOptionsLibrairies OptionsLibrairiesCourantes;

// The description that a generic tool shows beside an option.
class DeclOption {
 public:
  constexpr explicit DeclOption(std::u16string_view ADescription) : FDescription(ADescription) {}
  constexpr std::u16string_view Description() const { return FDescription; }

 private:
  std::u16string_view FDescription;
};

// On a record: the name of the option group.
class DeclNomOptions : public DeclOption {
 public:
  using DeclOption::DeclOption;
};

inline constexpr DeclNomOptions DeclNomOptionsLibrairies{u"Options Librairies"};

enum class TypeGenreOption : std::uint8_t {
  goBooleen,
  goEntierSigne,     // 32 bits
  goEntierNonSigne,  // 32 bits
  goEnumeration,     // one byte
  goChaine,
};

// One address per C++ type of option, so that typed access can check the type.
template <class AType>
inline constexpr char EtiquetteTypeOption = 0;

struct TypeDescripteurOption {
  std::u16string_view Groupe;  // empty for a field of the record itself
  std::u16string_view Champ;
  TypeGenreOption Genre{};
  DeclOption Declaration;
  std::span<const std::u16string_view> NomsValeurs;  // enumerations: names by ordinal
  const void* Type;                                  // &EtiquetteTypeOption<field type>
  void* (*Acces)(TypeOptionsLibrairies&);            // the field in that record
};

// Every leaf option, in field order.
std::span<const TypeDescripteurOption> DescripteursOptionsLibrairies();

// Nothing when no option has that group and field name (exact case).
const TypeDescripteurOption* ChercherOption(std::u16string_view AGroupe,
                                            std::u16string_view AChamp);

// Text forms: "true"/"false", decimal numbers, the value's name for an
// enumeration, the string itself.
std::u16string LireOption(const TypeDescripteurOption& AOption,
                          const TypeOptionsLibrairies& AOptions);
// Raises EValeurOptionInvalide, leaving the record untouched, on a text that is
// not a value of the option's kind (Booleans accept any letter case).
void EcrireOption(const TypeDescripteurOption& AOption, TypeOptionsLibrairies& AOptions,
                  std::u16string_view AValeur);

// The field itself, or nothing when it is not of type AType.
template <class AType>
AType* ChampOption(const TypeDescripteurOption& AOption, TypeOptionsLibrairies& AOptions) {
  if (AOption.Type != &EtiquetteTypeOption<AType>) return nullptr;
  return static_cast<AType*>(AOption.Acces(AOptions));
}

KV_DECLARER_EXCEPTION(EValeurOptionInvalide, Exception);

}  // namespace kv
