#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "serialisation/Flux.h"

namespace kv {

// A stream over a byte buffer of its own, which grows as it is written past
// its end.
class TFluxMemoire : public TFlux {
 public:
  TFluxMemoire() = default;
  // Starts with a copy of AOctets, at position 0.
  explicit TFluxMemoire(std::span<const std::uint8_t> AOctets);

  std::int64_t GetTaille() const override;
  std::int64_t GetPosition() const override;
  void SetPosition(std::int64_t APosition) override;
  void Lire(void* ADestination, std::size_t ANombre) override;
  // Raises EWriteError when memory runs out, having written nothing.
  void Ecrire(const void* ASource, std::size_t ANombre) override;

  const std::vector<std::uint8_t>& GetOctets() const noexcept { return FOctets; }

 private:
  std::vector<std::uint8_t> FOctets;
  std::size_t FPosition = 0;
};

}  // namespace kv
