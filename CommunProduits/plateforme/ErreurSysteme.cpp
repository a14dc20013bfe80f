#include "plateforme/ErreurSysteme.h"

#include "commun/Format.h"

namespace kv::plateforme {

Exception CreerExceptionSysteme(std::u16string_view AFormat, std::u16string_view AApi) {
  // Read first: building the message may change the last error.
  const int code = DerniereErreurSysteme();
  const std::u16string texte = MessageErreurSysteme(code);
  return Exception(Formater(AFormat, {static_cast<unsigned>(code), texte, AApi}));
}

}  // namespace kv::plateforme
