# Run by cpack before it builds the package: the library dependencies of
# the Debian package come from dpkg-shlibdeps, which CPack would skip in
# silence where it is missing.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(dpkg_shlibdeps dpkg-shlibdeps)
  if(NOT dpkg_shlibdeps)
    message(FATAL_ERROR "dpkg-shlibdeps not found: install the Debian package dpkg-dev")
  endif()
endif()
