# The Debian package: one binary package "tarvelo" made by CPack's DEB
# generator from the install rules (scripts/package.sh runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvelo developers")
set(CPACK_PACKAGE_CONTACT "${TARVELO_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tarvelo_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARVELO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvelo.example.org/")
# Depends from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The first line is the synopsis; CPack indents the rest and writes the
# empty lines as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"highway curve setting-out calculator (曲线放样计算)
Tarvelo computes highway curves with clothoid spirals for route surveyors:
the curve elements and the main stakes ZH, HY, QZ, YH and HZ from the
intersection point JD, the stakeout coordinates of any station with offset
and skew (one point or a table), and the station and offset of a surveyed
point. The window speaks Simplified Chinese; tarvelo-cli computes the same
on the command line. An offline help page and example files are included.

Tarvelo 是供路线测量人员使用的公路曲线放样计算程序：由交点 JD 算出
曲线要素和五大桩 ZH、HY、QZ、YH、HZ，计算任意桩号、偏距和偏角的放样
坐标（单点或连续计算），并由实测点坐标反算桩号和偏距。附带离线帮助
页面、示例文件和命令行工具 tarvelo-cli。")

include(CPack)
