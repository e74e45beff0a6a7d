# Two commands do all the set-up on a fresh Debian 12 machine: `make run` and `make test`.
# CMake does the real work; this file only installs what is missing and calls it.

BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := g++ cmake make pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev \
            libgl-dev fonts-liberation xvfb xauth xdotool imagemagick dpkg-dev
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps configure build run test package clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) > /dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/sonavel

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# A .deb of the program in $(BUILD), for `apt install ./$(BUILD)/sonavel_*.deb`.
package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
