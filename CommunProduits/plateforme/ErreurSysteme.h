#pragma once

#include <string>
#include <string_view>

#include "commun/Exception.h"

namespace kv::plateforme {

// The calling thread's last operating-system error code.
int DerniereErreurSysteme() noexcept;
// The operating system's text for an error code.
std::u16string MessageErreurSysteme(int ACode);

// The usual format of CreerExceptionSysteme.
inline constexpr std::u16string_view FormatErreurInterneSysteme =
    u"Erreur interne (%2:s, 0x%0:.8x) : %1:s";

// Builds, without raising it, the failure of the system call AApi: AFormat
// filled with the thread's last system error code (argument 0), the system's
// text for it (1) and AApi (2).
Exception CreerExceptionSysteme(std::u16string_view AFormat, std::u16string_view AApi);

}  // namespace kv::plateforme
