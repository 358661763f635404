# Build settings shared by every target: the language level, warnings and strict Qt defines.
add_library(quillon_options INTERFACE)
target_compile_features(quillon_options INTERFACE cxx_std_20)
target_compile_options(quillon_options INTERFACE -Wall -Wextra)
target_compile_definitions(quillon_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS
    QT_NO_FOREACH)

set(QUILLON_SANITIZER_FLAGS "")
if(QUILLON_TSAN)
    set(QUILLON_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
elseif(QUILLON_SANITIZE OR QUILLON_FUZZ)
    set(QUILLON_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
endif()
if(QUILLON_SANITIZER_FLAGS)
    add_compile_options(${QUILLON_SANITIZER_FLAGS})
    add_link_options(${QUILLON_SANITIZER_FLAGS})
endif()
if(QUILLON_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUILLON_FUZZ needs clang (libFuzzer).")
    endif()
    # Coverage instrumentation everywhere; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Hardening as Debian builds its programs: checked libc buffer calls and a read-only GOT. The
# sanitized builds go without, as the sanitizers do their own checking.
if(NOT QUILLON_SANITIZER_FLAGS)
    target_compile_definitions(quillon_options INTERFACE
        $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_link_options(quillon_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
