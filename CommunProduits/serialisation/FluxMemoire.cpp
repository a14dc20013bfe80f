#include "serialisation/FluxMemoire.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace kv {

TFluxMemoire::TFluxMemoire(std::span<const std::uint8_t> AOctets)
    : FOctets(AOctets.begin(), AOctets.end()) {}

std::int64_t TFluxMemoire::GetTaille() const { return static_cast<std::int64_t>(FOctets.size()); }

std::int64_t TFluxMemoire::GetPosition() const { return static_cast<std::int64_t>(FPosition); }

void TFluxMemoire::SetPosition(std::int64_t APosition) {
  VerifierPosition(APosition);
  FPosition = static_cast<std::size_t>(APosition);
}

void TFluxMemoire::Lire(void* ADestination, std::size_t ANombre) {
  VerifierLecture(ANombre);
  if (ANombre == 0) return;
  std::memcpy(ADestination, FOctets.data() + FPosition, ANombre);
  FPosition += ANombre;
}

void TFluxMemoire::Ecrire(const void* ASource, std::size_t ANombre) {
  if (ANombre == 0) return;
  if (ANombre > FOctets.max_size() - FPosition) {
    throw EWriteError(u"Erreur d'écriture du flux : le flux en mémoire ne peut grandir autant.");
  }
  const std::size_t fin = FPosition + ANombre;
  if (fin > FOctets.size()) {
    try {
      FOctets.resize(fin);
    } catch (const std::bad_alloc&) {
      throw EWriteError(u"Erreur d'écriture du flux : mémoire insuffisante.");
    } catch (const std::length_error&) {
      throw EWriteError(u"Erreur d'écriture du flux : le flux en mémoire ne peut grandir autant.");
    }
  }
  std::memcpy(FOctets.data() + FPosition, ASource, ANombre);
  FPosition = fin;
}

}  // namespace kv
