#pragma once

#include <string>
#include <string_view>

#include "application/ApplicationKorvelConsole.h"

namespace talvane {

// Makes sure the folder where the spell checker keeps the user's word lists
// exists, says so in French and waits for Enter.
class TApplicationTalvane final : public kv::TApplicationKorvelConsole {
 public:
  using kv::TApplicationKorvelConsole::TApplicationKorvelConsole;

  // The spelling folder under a roaming application-data folder; an empty base
  // gives the folder from the root.
  static std::u16string DossierOrthographe(std::u16string_view ABase);

 protected:
  void Traiter() override;
};

}  // namespace talvane
