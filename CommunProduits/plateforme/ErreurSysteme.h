#pragma once

#include <string>

namespace kv::plateforme {

// The calling thread's last operating-system error code.
int DerniereErreurSysteme() noexcept;
// The operating system's text for an error code.
std::u16string MessageErreurSysteme(int ACode);

}  // namespace kv::plateforme
