#include "serialisation/LectureNombre.h"

#include "commun/Format.h"
#include "serialisation/Flux.h"

namespace kv {

std::int32_t LireNombreAnnonce(IFormatter& AFormateur, std::u16string_view AQuoi) {
  const std::int32_t nombre = AFormateur.LireEntier();
  const std::int64_t restant = AFormateur.GetFlux().Restant();
  if (nombre < 0 || nombre > restant) {
    throw EReadError(Formater(
        u"Erreur de lecture du flux : nombre de %0:s annoncé : %1:d, %2:d octets restants.",
        {AQuoi, nombre, static_cast<long long>(restant)}));
  }
  return nombre;
}

}  // namespace kv
