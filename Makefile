# Zorva: `make run` builds and starts the program on the demo lesson; `make test` runs every test;
# `make install PREFIX=...` installs it; `make package` makes the Debian package in the build folder.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all setup configure run test demo install package clean

all: configure
	cmake --build $(BUILD) -j $(JOBS)

setup:
	@scripts/install-deps.sh

configure: setup
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

# The build makes the demo lesson in $(BUILD)/demo.
demo: all

install: all
	cmake --install $(BUILD) --prefix $(PREFIX)

package: all
	cd $(BUILD) && cpack -G DEB

run: demo
	exec $(BUILD)/zorva-lesson open $(BUILD)/demo

test: all
	cd $(BUILD) && ZORVA_BACKEND=headless LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
