#include "environnement/RestrictionsApiWindows.h"

#include <cstdint>

namespace kv {
namespace {

using plateforme::TypeIdentificationSysteme;

// Filled once by the application's constructor, long after static initialisation.
TypeRestrictionsApiWindows GRestrictions;

void AppliquerEmulation(TypeRestrictionsApiWindows& R, const TypeIdentificationSysteme& AId) {
  R.UrlEscapeAnsi = true;
  R.UtiliserVersionsTLSDuSysteme = true;
  R.InformationsComplementairesUserAgent = u"WINE";
  R.SansThemeZoneNCFenetres = true;
  R.SansSupportITaskBarList234 = true;
  R.SansSupportHttpApi = true;
  R.BitmapScalerNonSupporte = true;
  R.SpellCheckerFactoryNonRecense = true;
  const bool hoteDarwin = AId.NomSystemeHote == u"Darwin";
  R.SansSupportDragImageList = hoteDarwin;
  R.ServicesSansConsole = hoteDarwin;
  R.SansPreferencesLinguistiquesSysteme = true;
  R.SansPreferencesLinguistiquesUtilisateur = true;
  R.SansPreferencesLinguistiquesProcessus = true;
  R.SansSupportPseudoHandlesBCrypt = true;
  R.SansSupportCngOuverturePfx = true;
  R.SansSupportPropEtenduesOuverturePfx = true;
  R.SansSupportCertificatEcc = true;
  R.SansSupportCertificatClientHttp = true;
}

void AppliquerSystemeNatif(TypeRestrictionsApiWindows& R, const TypeIdentificationSysteme& AId) {
  // Major × 10 + minor (61 for 6.1, 100 for 10.0); 0 when the query failed.
  // Wide enough that no reported number can wrap.
  const std::uint64_t v =
      AId.VersionObtenue ? std::uint64_t{AId.VersionMajeure} * 10 + AId.VersionMineure : 0;
  const bool avant62 = v < 62;
  const bool avant100 = v < 100;
  R.UrlEscapeAnsi = avant62;
  R.ParamProxyWinhttpSelonPlateforme = avant62;
  R.SansSupportSni = avant62;
  R.TactilePartiel = avant62;
  R.WinhttpSansSupportTls1_3 = avant100 || (v == 100 && AId.NumeroBuild < 18362);
  R.SansPreferencesLinguistiquesSysteme = !AId.LanguesPrefereesSystemePresent;
  R.SansPreferencesLinguistiquesUtilisateur = !AId.LanguesPrefereesUtilisateurPresent;
  R.SansPreferencesLinguistiquesProcessus = !AId.LanguesPrefereesProcessusPresent;
  R.SansSupportPseudoHandlesBCrypt = avant100;
  R.SansBCryptHash = avant100;
  R.SansSupportCngOuverturePfx = avant100;
}

}  // namespace

const TypeRestrictionsApiWindows& RestrictionsApiWindows = GRestrictions;

TypeRestrictionsApiWindows CalculerRestrictionsApiWindows(
    const TypeIdentificationSysteme& AIdentification) {
  TypeRestrictionsApiWindows restrictions;
  restrictions.Definies = true;
  if (AIdentification.Emule) {
    AppliquerEmulation(restrictions, AIdentification);
  } else {
    AppliquerSystemeNatif(restrictions, AIdentification);
  }
  return restrictions;
}

void DefinirRestrictionsApiWindows(TypeRestrictionsApiWindows& ARestrictions,
                                   TypeIdentificationSysteme (*AIdentifier)()) {
  if (ARestrictions.Definies) return;
  ARestrictions = CalculerRestrictionsApiWindows(AIdentifier());
}

void DefinirRestrictionsApiWindows() {
  DefinirRestrictionsApiWindows(GRestrictions, &plateforme::IdentifierSysteme);
}

}  // namespace kv
