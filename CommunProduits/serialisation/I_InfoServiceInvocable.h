#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "objets/Guid.h"
#include "objets/Interface.h"

namespace kv {

class TInfoMethodeServiceInvocable;

// The description of an invocable service: an interface whose methods can be
// called without compiled code for it.
class IInfoServiceInvocable : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{9CD0A60C-5742-45A3-9147-B151E1CAF5DB}");

  virtual TGUID GetGuidService() = 0;
  // The method at AIndice in the interface's table (the three of IInterface
  // first), still owned by the description. Raises EListError out of range.
  virtual TInfoMethodeServiceInvocable* GetMethode(std::int32_t AIndice) = 0;
  // The first method named ANom, without regard to case in the user's
  // locale; null when none is.
  virtual TInfoMethodeServiceInvocable* GetMethodeParNom(std::u16string_view ANom) = 0;
  virtual std::int32_t GetNombreMethodes() = 0;
  virtual std::u16string GetNomService() = 0;
  virtual std::int32_t GetAutorisationsSpeciales() = 0;
  virtual void SetAutorisationsSpeciales(std::int32_t AValeur) = 0;
  // False as soon as a parameter of a method has mpSortant in its modes in
  // force and either AStrict or not mpEntrant: with AStrict false, in-out
  // parameters pass; results and pure outputs never do.
  virtual bool SansValeursSortantes(bool AStrict) = 0;

 protected:
  ~IInfoServiceInvocable() = default;
};

}  // namespace kv
