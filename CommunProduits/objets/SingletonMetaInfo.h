#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "objets/ClasseFinalisable.h"
#include "objets/ListeMetaInfo.h"

namespace kv {

// The process's one meta-information registry and its lock. The registry is
// made, with the lock, by the first operation (the lock operations included)
// and freed by the early finalisation phase; a later operation makes a new,
// empty one, so descriptors and their extensions do not survive that phase.
//
// The registry itself has no lock. Code that uses it from several threads
// brackets each use with EntrerSectionCritique and SortirSectionCritique; the
// first use, which makes it, must come from one thread (start-up does).
class TSingletonMetaInfo : public TClasseFinalisable {
 public:
  static TRef<IMetaInfo> GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                                     std::span<const std::u16string_view> AAutresNoms = {});
  static TRef<IMetaInfo> GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                                     std::initializer_list<std::u16string_view> AAutresNoms) {
    return GetMetaInfo(AGuid, ANom, std::span(AAutresNoms.begin(), AAutresNoms.size()));
  }
  static TRef<IMetaInfoClasse> GetMetaInfoClasse(const TClasse* AClasse);
  static TRef<IMetaInfo> GetMetaInfoParNom(std::u16string_view ANom);
  static TGUID GetGuidMetaInfo(IMetaInfo* AMetaInfo);

  // The process-wide lock; a thread may take it again while it holds it, and
  // releases it as many times. Releasing it without holding it is a fault of
  // the caller; releasing it when the registry does not exist does nothing.
  static void EntrerSectionCritique();
  static void SortirSectionCritique();

  static void FinaliserClasse();

 private:
  static TListeMetaInfo& GetListe();
};

}  // namespace kv
