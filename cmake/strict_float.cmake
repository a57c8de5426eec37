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
add_library(qel_morvak_strict_float INTERFACE)
if(MSVC)
  target_compile_options(qel_morvak_strict_float INTERFACE /fp:precise)
else()
  target_compile_options(qel_morvak_strict_float INTERFACE
    -ffp-contract=off -fno-fast-math -fno-math-errno)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|X86|x86_64|AMD64|amd64)$")
    target_compile_options(qel_morvak_strict_float INTERFACE -msse2 -mfpmath=sse)
  endif()
endif()
