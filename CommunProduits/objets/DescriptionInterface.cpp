#include "objets/DescriptionInterface.h"

#include "commun/Format.h"
#include "plateforme/IndexMethodeVirtuelle.h"

namespace kv::detail {

std::int32_t VerifierIndiceMethode(std::u16string_view AInterface, std::u16string_view AMethode,
                                   const void* APointeur, std::size_t ATaille,
                                   std::int32_t AIndiceAttendu) {
  std::int32_t indice = -1;
  switch (plateforme::LireIndiceMethodeVirtuelle(APointeur, ATaille, indice)) {
    case plateforme::TypeLectureMethodeVirtuelle::lmvVirtuelle:
      break;
    case plateforme::TypeLectureMethodeVirtuelle::lmvNonVirtuelle:
      throw EDescriptionInterface(
          Formater(u"Erreur interne : la méthode %1:s de l'interface %0:s n'est pas virtuelle.",
                   {AInterface, AMethode}));
    default:
      throw EDescriptionInterface(Formater(
          u"Erreur interne : la méthode %1:s de l'interface %0:s n'est pas dans la table de "
          u"l'interface.",
          {AInterface, AMethode}));
  }
  if (indice != AIndiceAttendu) {
    throw EDescriptionInterface(Formater(
        u"Erreur interne : la description de l'interface %0:s ne suit pas sa déclaration : la "
        u"méthode %1:s occupe l'entrée %2:d de la table au lieu de l'entrée %3:d (une méthode "
        u"est oubliée, ou listée dans un autre ordre).",
        {AInterface, AMethode, indice, AIndiceAttendu}));
  }
  return indice;
}

const TInfoTypeInterface& InfoTypeIInterface() noexcept {
  static constexpr TInfoTypeInterface info{
      {TypeGenreType::gtInterface}, IInterface::IID, u"IInterface", nullptr, {}};
  return info;
}

}  // namespace kv::detail
