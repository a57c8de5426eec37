# Results are part of the interface and must be bit-identical on every
# platform, so every build of ours gets these flags, whatever preset or
# toolchain it comes from:
# - no contraction of a product and a sum into a fused multiply-add, which
#   compilers for aarch64 do by default;
# - no fast-math, no excess precision: each operation rounds to binary64;
# - sqrt never sets errno, so it is the correctly rounded instruction and not
#   a library call (some runtimes compute it in 80-bit precision);
# - on 32-bit x86, SSE2 arithmetic instead of the x87 unit, whose wider
#   registers round twice.
include(CheckCXXSourceCompiles)
include(CMakePushCheckState)

add_library(qel_morvak_strict_float INTERFACE)
if(MSVC)
  set(QEL_MORVAK_STRICT_FLOAT_OPTIONS /fp:precise)
else()
  set(QEL_MORVAK_STRICT_FLOAT_OPTIONS -ffp-contract=off -fno-fast-math -fno-math-errno)
  # Asked of the compiler, not of CMAKE_SYSTEM_PROCESSOR, which a toolchain
  # file (or -m32 on a 64-bit host) may leave saying something else.
  check_cxx_source_compiles([[
    #if !defined(__i386__)
    #error not 32-bit x86
    #endif
    int main() { return 0; }
  ]] QEL_MORVAK_TARGET_X86_32)
  if(QEL_MORVAK_TARGET_X86_32)
    list(APPEND QEL_MORVAK_STRICT_FLOAT_OPTIONS -msse2 -mfpmath=sse)
  endif()
endif()
target_compile_options(qel_morvak_strict_float INTERFACE ${QEL_MORVAK_STRICT_FLOAT_OPTIONS})

# A compiler that still evaluates in a wider format with these flags cannot
# build this program: stop at configure time rather than ship other bits.
cmake_push_check_state(RESET)
list(JOIN QEL_MORVAK_STRICT_FLOAT_OPTIONS " " CMAKE_REQUIRED_FLAGS)
check_cxx_source_compiles([[
  #include <cfloat>
  #if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
  #error arithmetic is evaluated in a wider format
  #endif
  int main() { return 0; }
]] QEL_MORVAK_NO_EXCESS_PRECISION)
cmake_pop_check_state()
if(NOT QEL_MORVAK_NO_EXCESS_PRECISION)
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER} evaluates double arithmetic in a wider format "
    "even with ${QEL_MORVAK_STRICT_FLOAT_OPTIONS}; results would differ from other platforms.")
endif()
