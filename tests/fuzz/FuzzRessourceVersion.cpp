// The version record read from an untrusted file image: never a read outside
// it, and a failure is always one of the documented codes.

#include <cerrno>
#include <cstdint>

#include "Proprietes.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/RessourceVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  kv::plateforme::TypeInfosFixesFichier infos{};
  errno = 0;
  if (kv::plateforme::LireInfosVersionImage({AOctets, ATaille}, infos)) {
    KV_VERIFIER(infos.Signature == kv::plateforme::SignatureInfosFixesFichier);
  } else {
    const int code = kv::plateforme::DerniereErreurSysteme();
    KV_VERIFIER(code == ENOEXEC || code == ENODATA);
  }
  return 0;
}
