# One INTERFACE target carries the compile settings every target of the project shares.
add_library(folio_settings INTERFACE)
target_compile_features(folio_settings INTERFACE cxx_std_20)
set_target_properties(folio_settings PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(folio_settings INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_compile_definitions(folio_settings INTERFACE
  QT_NO_FOREACH
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)

if(FOLIO_SANITIZE)
  target_compile_options(folio_settings INTERFACE
    -fsanitize=${FOLIO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(folio_settings INTERFACE -fsanitize=${FOLIO_SANITIZE})
endif()

# The version reaches the code through one generated header.
configure_file(${PROJECT_SOURCE_DIR}/cmake/folio_version.h.in
               ${PROJECT_BINARY_DIR}/generated/folio_version.h @ONLY)
target_include_directories(folio_settings INTERFACE ${PROJECT_BINARY_DIR}/generated)
