# The installed package: find_package(J3Dialoge) gives the libraries as
# J3Dialoge::<name> (J3Dialoge::j3dialoge for the module) with their include
# folders and their own dependencies.
include(CMakePackageConfigHelpers)
set(J3_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/J3Dialoge)
install(EXPORT J3DialogeTargets NAMESPACE J3Dialoge:: DESTINATION ${J3_PACKAGE_DIR})
configure_package_config_file(cmake/J3DialogeConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/J3DialogeConfig.cmake INSTALL_DESTINATION ${J3_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/J3DialogeConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/J3DialogeConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/J3DialogeConfigVersion.cmake DESTINATION ${J3_PACKAGE_DIR})
# The markup as files too, for people who adapt a dialog's look; the module
# itself reads it from the j3wpfcs library.
install(DIRECTORY resources/j3wpfcs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/j3/j3wpfcs
  FILES_MATCHING PATTERN "*.ui" PATTERN "test" EXCLUDE)
install(FILES platform/j3params/j3machine.ini.example DESTINATION ${CMAKE_INSTALL_DATADIR}/j3)
