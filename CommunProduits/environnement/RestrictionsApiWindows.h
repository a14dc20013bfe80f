#pragma once

// Which platform features the code must avoid on the system it runs on: old
// versions of the native platform, or the emulated platform (and, for a few
// features, the emulated platform on a Darwin host). Computed once per
// process, first thing in the application's constructor, then read directly.
//
// On this machine the platform layer reports the emulated platform on the host
// named by uname() (see plateforme/IdentificationSysteme.h), so the emulation
// flags are the ones set here.

#include <string>

#include "plateforme/IdentificationSysteme.h"

namespace kv {

struct TypeRestrictionsApiWindows {
  bool Definies = false;
  bool UrlEscapeAnsi = false;
  bool SansPreferencesLinguistiquesSysteme = false;
  bool SansPreferencesLinguistiquesUtilisateur = false;
  bool SansPreferencesLinguistiquesProcessus = false;
  bool UtiliserVersionsTLSDuSysteme = false;
  bool WinhttpSansSupportTls1_3 = false;
  bool ParamProxyWinhttpSelonPlateforme = false;
  std::u16string InformationsComplementairesUserAgent{};
  bool SansThemeZoneNCFenetres = false;
  bool SansSupportITaskBarList234 = false;
  bool SansSupportHttpApi = false;
  bool SansSupportSni = false;
  bool SansSupportDragImageList = false;
  bool ServicesSansConsole = false;
  bool TactilePartiel = false;
  bool BitmapScalerNonSupporte = false;
  bool SpellCheckerFactoryNonRecense = false;
  bool SpellCheckerFactoryErreurCOM = false;
  bool SansSupportPseudoHandlesBCrypt = false;
  bool SansBCryptHash = false;
  bool SansSupportCngOuverturePfx = false;
  bool SansSupportPropEtenduesOuverturePfx = false;
  bool SansSupportCertificatEcc = false;
  bool SansSupportCertificatClientHttp = false;

  bool operator==(const TypeRestrictionsApiWindows&) const = default;
};

// The restrictions of the system so identified, with Definies set.
TypeRestrictionsApiWindows CalculerRestrictionsApiWindows(
    const plateforme::TypeIdentificationSysteme& AIdentification);

// Fills ARestrictions from AIdentifier's answer unless it is already defined,
// in which case the system is not even asked again.
void DefinirRestrictionsApiWindows(TypeRestrictionsApiWindows& ARestrictions,
                                   plateforme::TypeIdentificationSysteme (*AIdentifier)());

// The process-wide record from the platform's identification, once.
void DefinirRestrictionsApiWindows();

// The process-wide record; every flag is false until it has been defined.
extern const TypeRestrictionsApiWindows& RestrictionsApiWindows;

}  // namespace kv
