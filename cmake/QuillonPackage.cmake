# `cpack -G DEB` in a build folder makes quillon_<version>_<arch>.deb from the install rules.
# The runtime dependencies are read from the programs' libraries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Tavrel Systems")
set(CPACK_PACKAGE_CONTACT "Tavrel Systems <support@tavrel.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find out which domain names are still free to register")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon keeps lists of candidate domain names in documents (.zul files) and
asks the WHOIS server of each name's top-level domain whether the name is
registered.
Names are typed, imported or built from a keyword padded with word lists;
several lookups run at once, paced by a timer, and every entry shows its
status, when it was looked up and its WHOIS record.

quillon-cli runs the same lookups, reports and exports from a terminal.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Folders in the package as Debian has them (dpkg would otherwise record 0775 folders).
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
