#include "serialisation/ListeInfoParametresServiceInvocable.h"

#include "commun/Format.h"
#include "objets/ConversionInterface.h"
#include "plateforme/ComparaisonLocale.h"
#include "serialisation/Flux.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/I_SerialisateurAvecSousParametres.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/LectureNombre.h"
#include "serialisation/TraceElement.h"

namespace kv {
namespace {

TInfoParametreServiceInvocable* Etape(const TTabInfoParametreServiceInvocable& AListe,
                                      std::int32_t AIndice) {
  if (AIndice < 0 || static_cast<std::size_t>(AIndice) >= AListe.size()) {
    throw EListError(Formater(u"Chemin de paramètre invalide : indice %0:d parmi %1:d paramètres.",
                              {AIndice, static_cast<long long>(AListe.size())}));
  }
  return AListe[static_cast<std::size_t>(AIndice)];
}

// The sub-description list of AInfo's serializer; EIntfCastError when it has
// none.
TypeListeInfoParametresServiceInvocable SousParametres(TInfoParametreServiceInvocable& AInfo) {
  TypeListeInfoParametresServiceInvocable liste;
  Convertir<ISerialisateurAvecSousParametres>(AInfo.GetSerialisateur().Get())
      ->GetInfoSousParametres(liste);
  return liste;
}

}  // namespace

TInfoParametreServiceInvocable* TypeListeInfoParametresServiceInvocable::GetInfoParametre(
    std::int32_t AIndice) const {
  return Etape(FInfoParametres, AIndice);
}

std::int32_t TypeListeInfoParametresServiceInvocable::CreerInfoParametres(
    std::int32_t ANombreParametres) {
  if (ANombreParametres < 0) {
    throw EArgumentInvalide(
        Formater(u"Nombre de paramètres à créer négatif : %0:d.", {ANombreParametres}));
  }
  const std::int32_t ancien = GetNombre();
  FInfoParametres.reserve(FInfoParametres.size() + static_cast<std::size_t>(ANombreParametres));
  for (std::int32_t i = 0; i < ANombreParametres; ++i) {
    FInfoParametres.push_back(Construire<TInfoParametreServiceInvocable>());
  }
  return ancien;
}

void TypeListeInfoParametresServiceInvocable::Vider() noexcept {
  for (TInfoParametreServiceInvocable* info : FInfoParametres) {
    try {
      info->Liberer();
    } catch (...) {
      // Still referenced, a fault of the holder: left to it rather than freed
      // under it.
    }
  }
  FInfoParametres.clear();
}

void TypeListeInfoParametresServiceInvocable::Serialiser(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const {
  AFormateur.EcrireEntier(GetNombre());
  for (TInfoParametreServiceInvocable* info : FInfoParametres) {
    AFormat->Serialiser(info, AFormateur);
  }
}

void TypeListeInfoParametresServiceInvocable::Deserialiser(IFormatter& AFormateur,
                                                           TypeClasseFormatSerialisation AFormat) {
  const std::int32_t nombre = LireNombreAnnonce(AFormateur, u"descriptions de paramètres");
  Vider();
  CreerInfoParametres(nombre);
  for (TInfoParametreServiceInvocable* info : FInfoParametres) {
    AFormat->Deserialiser(info, AFormateur);
  }
}

void TypeListeInfoParametresServiceInvocable::SerialiserPourTrace(
    IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const {
  for (TInfoParametreServiceInvocable* info : FInfoParametres) {
    Tracer(AFormateur, u"Parametre", [&] { info->SerialiserPourTrace(AFormateur, AFormat); });
  }
}

std::vector<std::int32_t> TypeListeInfoParametresServiceInvocable::GetCheminParametre(
    std::u16string_view AStrChemin) const {
  std::size_t point = AStrChemin.find(u'.');
  if (point != std::u16string_view::npos && point + 1 < AStrChemin.size() &&
      AStrChemin[point + 1] == u'@') {
    point = std::u16string_view::npos;
  }
  const std::u16string_view tete = AStrChemin.substr(0, point);
  std::int32_t indice = -1;
  for (std::size_t i = 0; i < FInfoParametres.size(); ++i) {
    if (plateforme::MemeTexte(FInfoParametres[i]->GetNom(), tete)) {
      indice = static_cast<std::int32_t>(i);
      break;
    }
  }
  std::vector<std::int32_t> chemin{indice};
  if (point == std::u16string_view::npos || indice < 0) return chemin;
  TInfoParametreServiceInvocable& info = *FInfoParametres[static_cast<std::size_t>(indice)];
  auto sousParametres = Interroger<ISerialisateurAvecSousParametres>(info.GetSerialisateur());
  if (!sousParametres) {
    // A part named in a value that has none: the path designates nothing,
    // not the whole value.
    chemin.push_back(-1);
    return chemin;
  }
  TypeListeInfoParametresServiceInvocable liste;
  sousParametres->GetInfoSousParametres(liste);
  const std::vector<std::int32_t> suite = liste.GetCheminParametre(AStrChemin.substr(point + 1));
  chemin.insert(chemin.end(), suite.begin(), suite.end());
  return chemin;
}

TTabInfoParametreServiceInvocable
TypeListeInfoParametresServiceInvocable::GetTabInfoParametresTraverses(
    std::span<const std::int32_t> AChemin) const {
  if (AChemin.empty()) throw EListError(u"Chemin de paramètre vide.");
  TTabInfoParametreServiceInvocable traverses{Etape(FInfoParametres, AChemin[0])};
  for (std::size_t k = 1; k < AChemin.size(); ++k) {
    const TypeListeInfoParametresServiceInvocable liste = SousParametres(*traverses.back());
    traverses.push_back(Etape(liste.FInfoParametres, AChemin[k]));
  }
  return traverses;
}

}  // namespace kv
