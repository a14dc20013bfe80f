#pragma once

#include "application/ApplicationKorvel.h"

namespace kv {

// Base of the console programs: each phase failure is one line on standard
// error and its own exit code (1 initialisation, 2 processing, 3 finalisation;
// the last failure sets it).
class TApplicationKorvelConsole : public TApplicationKorvel {
 public:
  using TApplicationKorvel::TApplicationKorvel;

 protected:
  void EchecInitialisation(std::u16string_view AClasseException,
                           std::u16string_view AMessage) override;
  void EchecTraitement(std::u16string_view AClasseException, std::u16string_view AMessage) override;
  void EchecFinalisation(std::u16string_view AClasseException,
                         std::u16string_view AMessage) override;
};

}  // namespace kv
