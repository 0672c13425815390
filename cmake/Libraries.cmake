# Third-party libraries, found once for the whole tree. Each is looked up only
# where a library of ours needs it, so a partial tree still configures.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
find_package(Qt6 COMPONENTS Core Gui Widgets PrintSupport QUIET)
find_package(SQLite3 QUIET)
find_package(Boost QUIET COMPONENTS context)
pkg_check_modules(GMIME IMPORTED_TARGET gmime-3.0)
pkg_check_modules(GIO IMPORTED_TARGET gio-2.0)
pkg_check_modules(INIH IMPORTED_TARGET inih)
