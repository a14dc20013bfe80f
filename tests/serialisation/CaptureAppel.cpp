#include "CaptureAppel.h"

#include <cstddef>
#include <cstring>

namespace kv::test {

TypeCapture GCapture asm("kv_test_capture");
std::function<void()> GVerification;

static_assert(offsetof(TypeCapture, Sse) == 48 && offsetof(TypeCapture, Pile) == 112 &&
                  offsetof(TypeCapture, Rax) == 240 && offsetof(TypeCapture, Retour) == 272 &&
                  offsetof(TypeCapture, Cible) == 280,
              "the assembly below uses these offsets");

#if defined(__x86_64__)
// On entry the stack is [return address][stack arguments]; popping the return
// address before calling the target gives the target the same stack its
// caller built.
asm(R"(
  .pushsection .text
  .p2align 4
  .globl kv_test_capturer
  .type kv_test_capturer, @function
kv_test_capturer:
  endbr64
  movq %rdi, kv_test_capture+0(%rip)
  movq %rsi, kv_test_capture+8(%rip)
  movq %rdx, kv_test_capture+16(%rip)
  movq %rcx, kv_test_capture+24(%rip)
  movq %r8, kv_test_capture+32(%rip)
  movq %r9, kv_test_capture+40(%rip)
  movq %xmm0, kv_test_capture+48(%rip)
  movq %xmm1, kv_test_capture+56(%rip)
  movq %xmm2, kv_test_capture+64(%rip)
  movq %xmm3, kv_test_capture+72(%rip)
  movq %xmm4, kv_test_capture+80(%rip)
  movq %xmm5, kv_test_capture+88(%rip)
  movq %xmm6, kv_test_capture+96(%rip)
  movq %xmm7, kv_test_capture+104(%rip)
  leaq kv_test_capture+112(%rip), %r11
  xorl %r10d, %r10d
1:
  movq 8(%rsp,%r10,8), %rax
  movq %rax, (%r11,%r10,8)
  incq %r10
  cmpq $16, %r10
  jne 1b
  popq %rax
  movq %rax, kv_test_capture+272(%rip)
  call *kv_test_capture+280(%rip)
  movq %rax, kv_test_capture+240(%rip)
  movq %rdx, kv_test_capture+248(%rip)
  movq %xmm0, kv_test_capture+256(%rip)
  movq %xmm1, kv_test_capture+264(%rip)
  pushq kv_test_capture+272(%rip)
  ret
  .size kv_test_capturer, .-kv_test_capturer
  .popsection
)");
#endif

std::uint64_t MotArgument(const TypeEmplacement& AEmplacement) {
  using namespace registres_x64;
  switch (AEmplacement.Genre) {
    case TypeGenreEmplacement::geRegistreSse:
      return GCapture.Sse[AEmplacement.Numero];
    case TypeGenreEmplacement::gePile:
      return GCapture.Pile[AEmplacement.Numero / 8];
    case TypeGenreEmplacement::geRegistreEntier:
      break;
  }
  const std::int32_t ordre[6] = {RDI, RSI, RDX, RCX, R8, R9};
  for (int i = 0; i < 6; ++i) {
    if (ordre[i] == AEmplacement.Numero) return GCapture.Entiers[i];
  }
  return 0xDEADBEEF;
}

std::uint64_t MotResultat(const TypeEmplacement& AEmplacement) {
  if (AEmplacement.Genre == TypeGenreEmplacement::geRegistreSse) {
    return AEmplacement.Numero == 0 ? GCapture.Xmm0 : GCapture.Xmm1;
  }
  return AEmplacement.Numero == registres_x64::RAX ? GCapture.Rax : GCapture.Rdx;
}

bool MemesOctets(std::uint64_t AMot, const void* AOctets, std::size_t ATaille) {
  return std::memcmp(&AMot, AOctets, ATaille) == 0;
}

}  // namespace kv::test
