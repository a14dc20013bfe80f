#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <ostream>
#include <string>
#include <utility>

#include "environnement/RestrictionsApiWindows.h"
#include "plateforme/IdentificationSysteme.h"
#include "plateforme/Texte.h"

namespace kv {

// Names the flags that are set, so that a failing case says which ones differ.
void PrintTo(const TypeRestrictionsApiWindows& R, std::ostream* AFlux) {
  const std::pair<const char*, bool> drapeaux[] = {
      {"Definies", R.Definies},
      {"UrlEscapeAnsi", R.UrlEscapeAnsi},
      {"SansPreferencesLinguistiquesSysteme", R.SansPreferencesLinguistiquesSysteme},
      {"SansPreferencesLinguistiquesUtilisateur", R.SansPreferencesLinguistiquesUtilisateur},
      {"SansPreferencesLinguistiquesProcessus", R.SansPreferencesLinguistiquesProcessus},
      {"UtiliserVersionsTLSDuSysteme", R.UtiliserVersionsTLSDuSysteme},
      {"WinhttpSansSupportTls1_3", R.WinhttpSansSupportTls1_3},
      {"ParamProxyWinhttpSelonPlateforme", R.ParamProxyWinhttpSelonPlateforme},
      {"SansThemeZoneNCFenetres", R.SansThemeZoneNCFenetres},
      {"SansSupportITaskBarList234", R.SansSupportITaskBarList234},
      {"SansSupportHttpApi", R.SansSupportHttpApi},
      {"SansSupportSni", R.SansSupportSni},
      {"SansSupportDragImageList", R.SansSupportDragImageList},
      {"ServicesSansConsole", R.ServicesSansConsole},
      {"TactilePartiel", R.TactilePartiel},
      {"BitmapScalerNonSupporte", R.BitmapScalerNonSupporte},
      {"SpellCheckerFactoryNonRecense", R.SpellCheckerFactoryNonRecense},
      {"SpellCheckerFactoryErreurCOM", R.SpellCheckerFactoryErreurCOM},
      {"SansSupportPseudoHandlesBCrypt", R.SansSupportPseudoHandlesBCrypt},
      {"SansBCryptHash", R.SansBCryptHash},
      {"SansSupportCngOuverturePfx", R.SansSupportCngOuverturePfx},
      {"SansSupportPropEtenduesOuverturePfx", R.SansSupportPropEtenduesOuverturePfx},
      {"SansSupportCertificatEcc", R.SansSupportCertificatEcc},
      {"SansSupportCertificatClientHttp", R.SansSupportCertificatClientHttp},
  };
  *AFlux << "{";
  for (const auto& [nom, actif] : drapeaux) {
    if (actif) *AFlux << " " << nom;
  }
  *AFlux << " UserAgent=\"" << plateforme::VersUtf8(R.InformationsComplementairesUserAgent)
         << "\" }";
}

namespace {

using plateforme::TypeIdentificationSysteme;

TypeIdentificationSysteme Natif(std::uint32_t AMajeure, std::uint32_t AMineure,
                                std::uint32_t ABuild) {
  return {.VersionObtenue = true,
          .VersionMajeure = AMajeure,
          .VersionMineure = AMineure,
          .NumeroBuild = ABuild,
          .LanguesPrefereesSystemePresent = true,
          .LanguesPrefereesUtilisateurPresent = true,
          .LanguesPrefereesProcessusPresent = true};
}

// A failed query leaves whatever numbers it had: they must not be used.
TypeIdentificationSysteme VersionInconnue() {
  TypeIdentificationSysteme identification = Natif(10, 0, 19045);
  identification.VersionObtenue = false;
  return identification;
}

TypeIdentificationSysteme SansExport(bool TypeIdentificationSysteme::*AExport) {
  TypeIdentificationSysteme identification = Natif(10, 0, 19045);
  identification.*AExport = false;
  return identification;
}

// Under emulation the version and the exports are not consulted.
TypeIdentificationSysteme Emule(std::u16string AHote, bool AVersionEtExports) {
  TypeIdentificationSysteme identification;
  if (AVersionEtExports) identification = Natif(6, 1, 7601);
  identification.Emule = true;
  identification.NomSystemeHote = std::move(AHote);
  return identification;
}

TypeRestrictionsApiWindows Emulation(bool AHoteDarwin) {
  return {.Definies = true,
          .UrlEscapeAnsi = true,
          .SansPreferencesLinguistiquesSysteme = true,
          .SansPreferencesLinguistiquesUtilisateur = true,
          .SansPreferencesLinguistiquesProcessus = true,
          .UtiliserVersionsTLSDuSysteme = true,
          .InformationsComplementairesUserAgent = u"WINE",
          .SansThemeZoneNCFenetres = true,
          .SansSupportITaskBarList234 = true,
          .SansSupportHttpApi = true,
          .SansSupportDragImageList = AHoteDarwin,
          .ServicesSansConsole = AHoteDarwin,
          .BitmapScalerNonSupporte = true,
          .SpellCheckerFactoryNonRecense = true,
          .SansSupportPseudoHandlesBCrypt = true,
          .SansSupportCngOuverturePfx = true,
          .SansSupportPropEtenduesOuverturePfx = true,
          .SansSupportCertificatEcc = true,
          .SansSupportCertificatClientHttp = true};
}

const TypeRestrictionsApiWindows AvantVersion62 = {.Definies = true,
                                                   .UrlEscapeAnsi = true,
                                                   .WinhttpSansSupportTls1_3 = true,
                                                   .ParamProxyWinhttpSelonPlateforme = true,
                                                   .SansSupportSni = true,
                                                   .TactilePartiel = true,
                                                   .SansSupportPseudoHandlesBCrypt = true,
                                                   .SansBCryptHash = true,
                                                   .SansSupportCngOuverturePfx = true};

struct TypeCas {
  const char* Nom;
  TypeIdentificationSysteme Identification;
  TypeRestrictionsApiWindows Attendu;
};

TEST(RestrictionsApiWindows, SelonLeSysteme) {
  const TypeCas cas[] = {
      {"6.1", Natif(6, 1, 7601), AvantVersion62},
      {"version inconnue", VersionInconnue(), AvantVersion62},
      {"6.2",
       Natif(6, 2, 9200),
       {.Definies = true,
        .WinhttpSansSupportTls1_3 = true,
        .SansSupportPseudoHandlesBCrypt = true,
        .SansBCryptHash = true,
        .SansSupportCngOuverturePfx = true}},
      {"10.0.17763", Natif(10, 0, 17763), {.Definies = true, .WinhttpSansSupportTls1_3 = true}},
      {"10.0.18362", Natif(10, 0, 18362), {.Definies = true}},
      {"11.0 build ancien", Natif(11, 0, 100), {.Definies = true}},
      {"sans langues système",
       SansExport(&TypeIdentificationSysteme::LanguesPrefereesSystemePresent),
       {.Definies = true, .SansPreferencesLinguistiquesSysteme = true}},
      {"sans langues utilisateur",
       SansExport(&TypeIdentificationSysteme::LanguesPrefereesUtilisateurPresent),
       {.Definies = true, .SansPreferencesLinguistiquesUtilisateur = true}},
      {"sans langues processus",
       SansExport(&TypeIdentificationSysteme::LanguesPrefereesProcessusPresent),
       {.Definies = true, .SansPreferencesLinguistiquesProcessus = true}},
      {"émulé sur Linux", Emule(u"Linux", true), Emulation(false)},
      {"émulé sur Darwin", Emule(u"Darwin", false), Emulation(true)},
      {"émulé sur darwin en minuscules", Emule(u"darwin", false), Emulation(false)},
      {"émulé sur un hôte inconnu", Emule(u"", false), Emulation(false)},
  };
  for (const TypeCas& c : cas) {
    EXPECT_EQ(CalculerRestrictionsApiWindows(c.Identification), c.Attendu) << c.Nom;
  }
}

// A version number so large that major × 10 would wrap in 32 bits is still recent.
TEST(RestrictionsApiWindows, GrandNumeroDeVersionNeBouclePas) {
  EXPECT_EQ(CalculerRestrictionsApiWindows(Natif(429496730, 0, 0)),
            TypeRestrictionsApiWindows{.Definies = true});
}

int GAppels = 0;
TypeIdentificationSysteme IdentifierAncien() {
  ++GAppels;
  return Natif(6, 1, 7601);
}
TypeIdentificationSysteme IdentifierDarwin() {
  ++GAppels;
  return Emule(u"Darwin", false);
}

TEST(RestrictionsApiWindows, UneSecondeDefinitionNeChangeRien) {
  TypeRestrictionsApiWindows restrictions;
  GAppels = 0;
  DefinirRestrictionsApiWindows(restrictions, &IdentifierAncien);
  EXPECT_EQ(restrictions, AvantVersion62);
  DefinirRestrictionsApiWindows(restrictions, &IdentifierDarwin);
  EXPECT_EQ(restrictions, AvantVersion62);
  EXPECT_EQ(GAppels, 1) << "le système ne doit être interrogé qu'une fois";
}

// This machine is the emulated case on the host that uname names.
TEST(RestrictionsApiWindows, EnregistrementDuProcessusSelonCetteMachine) {
  struct utsname systeme {};
  ASSERT_EQ(::uname(&systeme), 0);
  const bool darwin = std::string(systeme.sysname) == "Darwin";

  DefinirRestrictionsApiWindows();
  EXPECT_EQ(RestrictionsApiWindows, Emulation(darwin));
  const TypeRestrictionsApiWindows premier = RestrictionsApiWindows;
  DefinirRestrictionsApiWindows();
  EXPECT_EQ(RestrictionsApiWindows, premier);
}

}  // namespace
}  // namespace kv
