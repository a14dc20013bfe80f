#include "environnement/OptionsLibrairies.h"

#include <array>
#include <type_traits>
#include <utility>

namespace kv {

const TypeOptionsLibrairies OptionsLibrairiesParDefaut = {
    .debug = false,
    .trace = {.actif = false, .tracerblocs = 0},
    .xi = {.debugxi = false,
           .decalagenumeros = TypeOptionDecalage::cDecalageAucun,
           .verifximodifie = false,
           .verifindexes = false,
           .IgnoreCheckCurrent = true,
           .autoriseZeroDansMasqueRecherche = true,
           .SeuilSuppressionMultiple = 20},
    .assertions = {.OptionAssertThreadPrincipal = TypeOptionAssert::cAssertStd,
                   .OptionAssertAutreThread = TypeOptionAssert::cAssertStd},
    .netbase = {.affichageTrace = false,
                .verificationpostlecture = false,
                .boitechecktransactionclient = false,
                .NouvelleBaseCommeExemple = false,
                .VerifierDechiffrementALaLecture = false},
    .database = {.coutVerificateurs = false},
    .resultatbase = {.tracer = false, .tracerpileappel = false, .profondeurpileappels = -1},
    .serveurhttp = {.ActiverKeepAlive = true},
    .reseau = {.TaillePaquetsFlux = 64,
               .TraceChargementBase = 0,
               .TraceFormatEchangeServeur = 0,
               .TraceFormatEchangeClient = 0},
    .Interlocuteur = {.DelaiAttenteMax = 30000},
    .GestionTransfertFlux = {.CalculEmpreinteFluxComplet = false,
                             .OptimisationCacheActivee = true,
                             .TraceCalculFluxMinimal = false},
    .GuiKorvel = {.DelaiEditabiliteDoubleClicMultilignes = 160},
    .ServiceWeb = {.ValiderRequetes = false, .ValiderReponses = false},
    .ComparaisonsParIcu = true,
    .TolererInenxistenceJetonLogin = false,
    .AffichagesToujoursVisibles = false,
    .EspionStructureKorvel = false,
    .TempsRalentissementArretServiceWindows = 0,
    .BoutonTableAffListesSelec = false,
    .GestionThemesVCL = {.themeactif = true,
                         .chargementdepuisfichier = false,
                         .fichier = u"C:\\Projets\\Produits\\DEV\\CommunProduits\\Affichage\\"
                                    u"ImplGestionSkin_Theme.vsf",
                         .ModeSombre = false},
    .SuggestionSaisieFormatRNVP = {.Afficher = true},
    .AutoriserParseurListeAutomatique = true,
    .ForcerParseurListeAutomatique = false,
};

// Defined after the defaults in the same file, so initialised after them.
TypeOptionsLibrairies OptionsLibrairiesCourantes = OptionsLibrairiesParDefaut;

namespace {

constexpr std::array<std::u16string_view, 3> NomsOptionDecalage = {
    u"cDecalageAucun", u"cDecalageAleatoire", u"cDecalageFixe"};
constexpr std::array<std::u16string_view, 3> NomsOptionAssert = {u"cAssertStd", u"cAssertAsmInt3",
                                                                 u"cAssertDialogue"};

template <class AType>
constexpr TypeGenreOption GenreDe() {
  if constexpr (std::is_same_v<AType, bool>) return TypeGenreOption::goBooleen;
  if constexpr (std::is_same_v<AType, std::int32_t>) return TypeGenreOption::goEntierSigne;
  if constexpr (std::is_same_v<AType, std::uint32_t>) return TypeGenreOption::goEntierNonSigne;
  if constexpr (std::is_enum_v<AType>) return TypeGenreOption::goEnumeration;
  if constexpr (std::is_same_v<AType, std::u16string>) return TypeGenreOption::goChaine;
}

template <class AType>
constexpr std::span<const std::u16string_view> NomsValeursDe() {
  if constexpr (std::is_same_v<AType, TypeOptionDecalage>) return NomsOptionDecalage;
  if constexpr (std::is_same_v<AType, TypeOptionAssert>) return NomsOptionAssert;
  return {};
}

template <class AType>
constexpr TypeDescripteurOption Descripteur(std::u16string_view AGroupe, std::u16string_view AChamp,
                                            std::u16string_view ADescription,
                                            void* (*AAcces)(TypeOptionsLibrairies&)) {
  static_assert(!std::is_enum_v<AType> || sizeof(AType) == 1, "enumeration of one byte expected");
  return {AGroupe,
          AChamp,
          GenreDe<AType>(),
          DeclOption(ADescription),
          NomsValeursDe<AType>(),
          &EtiquetteTypeOption<AType>,
          AAcces};
}

// The names come from the field path itself, so a descriptor cannot name a
// field other than the one it reaches.
#define KV_DESCRIPTEUR(ACHEMIN, AGROUPE, ACHAMP, ADESCRIPTION)           \
  Descripteur<decltype(std::declval<TypeOptionsLibrairies&>().ACHEMIN)>( \
      AGROUPE, u"" #ACHAMP, ADESCRIPTION,                                \
      [](TypeOptionsLibrairies& AOptions) -> void* { return &AOptions.ACHEMIN; })
#define KV_OPTION(AGROUPE, ACHAMP, ADESCRIPTION) \
  KV_DESCRIPTEUR(AGROUPE.ACHAMP, u"" #AGROUPE, ACHAMP, ADESCRIPTION)
#define KV_OPTION_RACINE(ACHAMP, ADESCRIPTION) KV_DESCRIPTEUR(ACHAMP, u"", ACHAMP, ADESCRIPTION)

constexpr TypeDescripteurOption Descripteurs[] = {
    KV_OPTION_RACINE(debug, u"active le mode de debug (accès aux menus + infos détaillées)"),
    KV_OPTION(trace, actif, u"activation des traces"),
    KV_OPTION(trace, tracerblocs, u"tracer la vie des info-cours/blocs de ce cours (grilles v2)"),
    KV_OPTION(xi, debugxi, u"debug des xi"),
    KV_OPTION(xi, decalagenumeros,
              u"décalage numéros articles des xi (désactivez pour cacher les bugs)"),
    KV_OPTION(xi, verifximodifie, u"vérification de non validation"),
    KV_OPTION(xi, verifindexes, u"vérification des indexes"),
    KV_OPTION(xi, IgnoreCheckCurrent, u"ignore interdiction usage article \"courant\""),
    KV_OPTION(xi, autoriseZeroDansMasqueRecherche,
              u"autorise toujours la valeur zéro dans les champs de recherche"),
    KV_OPTION(xi, SeuilSuppressionMultiple,
              u"seuil pour TListe_Transactionnelle.RemoveEnsemble pour suppression 1 à 1 ou en "
              u"lots"),
    KV_OPTION(assertions, OptionAssertThreadPrincipal,
              u"Point d'arrêt automatique sur assertion fausse (thread principal)"),
    KV_OPTION(assertions, OptionAssertAutreThread,
              u"Point d'arrêt automatique sur assertion fausse (autre thread)"),
    KV_OPTION(netbase, affichageTrace, u"Affichage du compte rendu de la lecture et écriture"),
    KV_OPTION(netbase, verificationpostlecture, u"Déclenche une vérification postlecture"),
    KV_OPTION(netbase, boitechecktransactionclient,
              u"Boite si création transaction pas en simulation côté client"),
    KV_OPTION(netbase, NouvelleBaseCommeExemple, u"Nouvelle base considérée comme base exemple"),
    KV_OPTION(netbase, VerifierDechiffrementALaLecture,
              u"Vérifier déchiffrement des chaines chiffrées lors de la lecture"),
    KV_OPTION(database, coutVerificateurs,
              u"Tracer dans le journal d'événements de l'environnement de développement la durée "
              u"des vérificateurs les plus coûteux"),
    KV_OPTION(resultatbase, tracer,
              u"Tracer dans le journal d'événements de l'environnement de développement chaque "
              u"déclenchement d'une erreur de résultat de base"),
    KV_OPTION(resultatbase, tracerpileappel,
              u"Tracer aussi la pile d'appels à chaque erreur de résultat de base"),
    KV_OPTION(resultatbase, profondeurpileappels,
              u"Profondeur pile d'appels (-1 pour tracer la pile complète)"),
    KV_OPTION(serveurhttp, ActiverKeepAlive, u"Activer le keep-alive"),
    KV_OPTION(reseau, TaillePaquetsFlux, u"Taille des \"paquets\" lors de l'envoi de flux (en Ko)"),
    KV_OPTION(reseau, TraceChargementBase, u"Trace des temps de transfert de flux"),
    KV_OPTION(reseau, TraceFormatEchangeServeur,
              u"Niveau de trace du format des échanges du composant TKVServeur"),
    KV_OPTION(reseau, TraceFormatEchangeClient,
              u"Niveau de trace du format des échanges du composant TKVClient"),
    KV_OPTION(Interlocuteur, DelaiAttenteMax,
              u"Attente maximale par un TTimeoutInterlocuteur (milli-secondes). 0 pour une "
              u"attente infinie"),
    KV_OPTION(GestionTransfertFlux, CalculEmpreinteFluxComplet,
              u"Calcule une empreinte du flux complet côté serveur"),
    KV_OPTION(GestionTransfertFlux, OptimisationCacheActivee,
              u"Active l'optimisation du cache pour certaines tables"),
    KV_OPTION(GestionTransfertFlux, TraceCalculFluxMinimal,
              u"Activation trace de la fabrication du flux minimum"),
    KV_OPTION(GuiKorvel, DelaiEditabiliteDoubleClicMultilignes,
              u"Pour que l'édition de cellule fonctionne avec élément multilignes"),
    KV_OPTION(ServiceWeb, ValiderRequetes,
              u"Les requêtes du service web sont validées par rapport au schéma"),
    KV_OPTION(ServiceWeb, ValiderReponses,
              u"Les réponses du service web sont validées par rapport au schéma"),
    KV_OPTION_RACINE(ComparaisonsParIcu,
                     u"Passe par la dll ICU pour les comparaisons de chaînes (valeur prise en "
                     u"compte au démarrage uniquement)"),
    KV_OPTION_RACINE(TolererInenxistenceJetonLogin,
                     u"Tolérer l'inexistence du jeton login (pour tests unitaires C/S)"),
    KV_OPTION_RACINE(AffichagesToujoursVisibles, u"Force la visibilité des affichages"),
    KV_OPTION_RACINE(EspionStructureKorvel, u"Active l'espion structure Korvel"),
    KV_OPTION_RACINE(TempsRalentissementArretServiceWindows,
                     u"Ralentir temps arrêt du service Windows"),
    KV_OPTION_RACINE(BoutonTableAffListesSelec,
                     u"Afficher le bouton TableAff permettant de visualiser le contenu des "
                     u"listes Selec"),
    KV_OPTION(GestionThemesVCL, themeactif, u"activer le thème"),
    KV_OPTION(GestionThemesVCL, chargementdepuisfichier, u"charger depuis un fichier"),
    KV_OPTION(GestionThemesVCL, fichier, u"fichier theme à charger"),
    KV_OPTION(GestionThemesVCL, ModeSombre, u"Thème sombre"),
    KV_OPTION(SuggestionSaisieFormatRNVP, Afficher,
              u"Suggérer la saisie au format RNVP La Poste pour pays de distribution FRANCE"),
    KV_OPTION_RACINE(AutoriserParseurListeAutomatique,
                     u"Autoriser parseurAutomatique dans les listes"),
    KV_OPTION_RACINE(ForcerParseurListeAutomatique, u"Forcer parseurAutomatique dans les listes"),
};

#undef KV_OPTION_RACINE
#undef KV_OPTION
#undef KV_DESCRIPTEUR

}  // namespace

std::span<const TypeDescripteurOption> DescripteursOptionsLibrairies() { return Descripteurs; }

const TypeDescripteurOption* ChercherOption(std::u16string_view AGroupe,
                                            std::u16string_view AChamp) {
  for (const TypeDescripteurOption& option : Descripteurs) {
    if (option.Groupe == AGroupe && option.Champ == AChamp) return &option;
  }
  return nullptr;
}

}  // namespace kv
