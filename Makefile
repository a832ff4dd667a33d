# Zorva: `make run` builds and starts the program on the demo lesson; `make test` runs every test.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all setup configure run test demo clean

all: configure
	cmake --build $(BUILD) -j $(JOBS)

setup:
	@scripts/install-deps.sh

configure: setup
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

demo: all
	@scripts/build-demo.sh $(BUILD)

run: demo
	cd $(BUILD)/demo && exec ../zorva

test: all
	cd $(BUILD) && ZORVA_BACKEND=headless LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
