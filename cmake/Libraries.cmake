# Third-party libraries, found once for the whole tree. Each is required: a
# machine without one stops here with the library's name rather than building
# a tree with a program or a test missing. scripts/install-deps.sh installs
# them all (Debian: qt6-base-dev, libsqlite3-dev, libboost-context-dev,
# libgmime-3.0-dev, libinih-dev, googletest).
find_package(Threads REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)
find_package(SQLite3 REQUIRED)
find_package(Boost REQUIRED COMPONENTS context)
pkg_check_modules(GMIME REQUIRED IMPORTED_TARGET gmime-3.0)
pkg_check_modules(GIO REQUIRED IMPORTED_TARGET gio-2.0)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)

# The tests alone need GoogleTest and Qt's test library.
if(REPORTMAIL_TESTS)
  find_package(GTest REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Test)
endif()
