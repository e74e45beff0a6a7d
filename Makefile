# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Three commands do all the set-up on a fresh Debian 12 machine: `make run`, `make test` and
# `make package`. Each installs only what it needs; CMake does the real work.

BUILD ?= build
DEB_BUILD ?= build-deb
JOBS ?= $(shell nproc)

# What building and running the program needs; tests and packaging add their own. Window test
# runs draw with DejaVu as the only font, and under a colour scheme set through qt6ct.
RUN_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgl-dev \
                fonts-liberation
TEST_PACKAGES := $(RUN_PACKAGES) libgtest-dev xvfb xauth xdotool imagemagick fonts-dejavu-core \
                 qt6ct libhamlib-utils
PACKAGE_PACKAGES := $(RUN_PACKAGES) dpkg-dev file

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
# Only a new build folder takes it: one configured with another generator keeps that one.
export CMAKE_GENERATOR ?= Ninja
# Debian's own packages are built with every hardening flag; so is ours.
export DEB_BUILD_MAINT_OPTIONS := hardening=+all

.PHONY: all run test package clean

# Installs the packages named in $(1) that are missing. sudo drops the environment, so
# DEBIAN_FRONTEND goes through env, or debconf would stop to ask on the terminal.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive \
	    apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

# Everything: the program, its tests and the benchmarks.
all:
	$(call install_missing,$(TEST_PACKAGES))
	cmake -S . -B $(BUILD) -DSONAVEL_TESTS=ON -DSONAVEL_BENCHMARKS=ON > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# A new build folder builds the program alone, so that running it needs no test tools;
# `make` and `make test` turn the tests on in the same folder.
run:
	$(call install_missing,$(RUN_PACKAGES))
	cmake -S . -B $(BUILD) \
	  $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DSONAVEL_TESTS=OFF -DSONAVEL_BENCHMARKS=OFF) > /dev/null
	cmake --build $(BUILD) -j $(JOBS) --target sonavel
	./$(BUILD)/sonavel

# The .deb, built in a folder of its own with Debian's compiler and linker flags and no tests:
# $(DEB_BUILD)/sonavel_1.1_amd64.deb, for `apt install ./$(DEB_BUILD)/sonavel_1.1_amd64.deb`.
package:
	$(call install_missing,$(PACKAGE_PACKAGES))
	cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=None -DSONAVEL_TESTS=OFF -DSONAVEL_BENCHMARKS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" > /dev/null
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack

clean:
	rm -rf $(BUILD) $(DEB_BUILD)

# The Windows program, cross-built in build-win/: Sonavel-1.1-setup.exe, the installer, and
# Sonavel-1.1-windows.zip, the same program to unpack anywhere. Qt for Windows is taken from
# $QT_WINDOWS; where that is unset, the prebuilt archive beside the project is unpacked into the
# build folder (again where an older one without Qt Network is there), or
# tools/build-qt-windows.sh builds one from Debian's sources. Wine runs at build time too, once,
# to write the uninstaller.
WINDOWS_PACKAGES := cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix \
                    gcc-mingw-w64-x86-64-posix nsis wine wine64 googletest xz-utils
WINDOWS_TEST_PACKAGES := $(WINDOWS_PACKAGES) xvfb xauth xdotool x11-utils imagemagick socat \
                         libhamlib-utils
QT_WINDOWS_ARCHIVE ?= ../shared/qt-mingw/qt-6.4.2-mingw64.tar.xz
windows_qt = $${QT_WINDOWS:-$(CURDIR)/build-win/qt6-mingw}

.PHONY: windows windows-test

windows:
	$(call install_missing,$(WINDOWS_PACKAGES))
	@if [ ! -d "$(windows_qt)/lib/cmake/Qt6Network" ]; then \
	  if [ -z "$$QT_WINDOWS" ] && [ -f $(QT_WINDOWS_ARCHIVE) ]; then \
	    mkdir -p build-win && rm -rf build-win/qt6-mingw && tar -C build-win -xJf $(QT_WINDOWS_ARCHIVE); \
	  else \
	    echo "No Qt for Windows with Qt Network in $(windows_qt): set QT_WINDOWS to one, or" \
	         "build one with tools/build-qt-windows.sh (about 35 minutes on 2 cores)." >&2; \
	    exit 1; \
	  fi; \
	fi
	QT_WINDOWS=$(windows_qt) cmake --preset windows > /dev/null
	cmake --build --preset windows -j $(JOBS) --target windows_packages

# The logic tests built for Windows, and everything run under Wine (tools/wine-check.sh).
windows-test: windows
	$(call install_missing,$(WINDOWS_TEST_PACKAGES))
	cmake --build --preset windows -j $(JOBS)
	tools/wine-check.sh build-win
