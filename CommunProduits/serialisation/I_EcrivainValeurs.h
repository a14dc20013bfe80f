#pragma once

// The writer of values described by type information (objets/InfoType.h),
// which a formatter hands out through IFormatter::GetEcrivainValeurs: code
// that knows a value only by its address and its type description writes it
// through the formatter's own encoding.

#include "objets/InfoType.h"

namespace kv {

// Not counted: the formatter owns it, and it lives as long as the formatter.
class IEcrivainValeurs {
 public:
  // Writes the value of type AType found at AAdresse; with AIndirect, AAdresse
  // holds the address of the value instead (a frame slot passed by
  // reference). A kind the formatter cannot write raises EWriteError, having
  // written nothing.
  virtual void EcrireValeur(const void* AAdresse, bool AIndirect, const TInfoType& AType) = 0;

 protected:
  ~IEcrivainValeurs() = default;
};

}  // namespace kv
