#include "serialisation/Flux.h"

#include "commun/Format.h"

namespace kv {

void TFlux::VerifierPosition(std::int64_t APosition) const {
  if (APosition < 0 || APosition > GetTaille()) {
    throw EArgumentInvalide(
        Formater(u"Position %0:d hors du flux de %1:d octets.",
                 {static_cast<long long>(APosition), static_cast<long long>(GetTaille())}));
  }
}

void TFlux::VerifierLecture(std::size_t ANombre) const {
  if (ANombre > static_cast<std::uint64_t>(Restant())) {
    throw EReadError(
        Formater(u"Erreur de lecture du flux : %0:u octets demandés, %1:d restants.",
                 {static_cast<unsigned long long>(ANombre), static_cast<long long>(Restant())}));
  }
}

}  // namespace kv
