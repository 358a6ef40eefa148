# What an installed copy needs besides the programs, the icons (tools/) and the help pages
# (src/): manual pages, shell completions and the D-Bus service that starts the program when
# another one asks for it by name.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/man/velmoran.1 ${PROJECT_SOURCE_DIR}/man/velmoran-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_SOURCE_DIR}/completions/velmoran-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velmoran-cli)
install(FILES ${PROJECT_SOURCE_DIR}/completions/_velmoran-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${PROJECT_SOURCE_DIR}/completions/velmoran-cli.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

set(VELMORAN_INSTALLED_BINARY ${CMAKE_INSTALL_FULL_BINDIR}/velmoran)
configure_file(${PROJECT_SOURCE_DIR}/resources/org.velmoran.Velmoran.service.in
               ${CMAKE_BINARY_DIR}/org.velmoran.Velmoran.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.velmoran.Velmoran.service
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/services)
