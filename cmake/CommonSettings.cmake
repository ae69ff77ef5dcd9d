# One place for the settings every target shares.
add_library(quorvex_common INTERFACE)
target_compile_features(quorvex_common INTERFACE cxx_std_20)
# The warning set of well-kept Qt projects: C casts, shadowed names, deletes through a base without
# a virtual destructor, hidden overloads and misaligned casts are errors under QUORVEX_WERROR.
target_compile_options(quorvex_common INTERFACE -Wall -Wextra -Wpedantic
    -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-align)
# Texts never convert implicitly between bytes and QString, and concatenations build once.
target_compile_definitions(quorvex_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_USE_QSTRINGBUILDER
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS
    BOOST_JSON_NO_LIB)
if(QUORVEX_WERROR)
    target_compile_options(quorvex_common INTERFACE -Werror)
endif()
if(QUORVEX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUORVEX_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
    endif()
    # Every library is instrumented for coverage; only the harness executables link the fuzzer's main.
    target_compile_options(quorvex_common INTERFACE -fsanitize=fuzzer-no-link,address,undefined
        -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvex_common INTERFACE -fsanitize=address,undefined)
elseif(QUORVEX_SANITIZE)
    target_compile_options(quorvex_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvex_common INTERFACE -fsanitize=address,undefined)
endif()

# Boost.JSON and the Qt core headers are in nearly every translation unit; precompiling them
# roughly halves a clean build, which keeps CI on two cores well within its time.
option(QUORVEX_PCH "Precompile the common heavy headers" ON)
if(QUORVEX_PCH)
    target_precompile_headers(quorvex_common INTERFACE
        <boost/json.hpp>
        <boost/describe.hpp>
        <QByteArray>
        <QObject>
        <QString>
        <QStringList>
        <functional>
        <map>
        <memory>
        <optional>
        <string>
        <vector>)
endif()
