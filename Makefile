# make run   - build the Windows program and start it under Wine on the demo clip
# make test  - build both trees and run every test
# make dist  - the self-contained .exe and README in dist/
SHELL := /bin/bash
BUILD   ?= build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
FUZZ    := $(BUILD)/fuzz
DEMO    := $(BUILD)/demo
JOBS    ?= $(shell nproc)
FUZZ_SECONDS ?= 30
# Warnings are errors in our own code under CI (CI=true), or with WERROR=ON.
WERROR  ?= $(if $(filter true,$(CI)),ON,OFF)
CMAKE_FLAGS := -DPLAYER_WERROR=$(WERROR)

.PHONY: all deps native win fuzz bench demo run test test-native test-fuzz test-win dist clean

all: native win

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DPLAYER_SANITIZE=ON >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

# Figures, not tests: the portable core natively (Release), then the Windows tree
# under Wine in a private Xvfb (engine, graph paint, the whole player).
bench: deps native win
	cmake -S . -B $(BUILD)/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/bench -j $(JOBS) --target telemetry_bench skin_bench trip_route_bench trip_index_bench
	$(BUILD)/bench/bench/telemetry_bench
	$(BUILD)/bench/bench/skin_bench
	$(BUILD)/bench/bench/trip_route_bench
	$(BUILD)/bench/bench/trip_index_bench
	bash bench/wine_bench.sh $(WIN) $(NATIVE)

win: deps
	cmake -S . -B $(WIN) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DPLAYER_NATIVE_BUILD=$(abspath $(NATIVE)) >/dev/null
	cmake --build $(WIN) -j $(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_FLAGS) -DPLAYER_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(FUZZ) -j $(JOBS)

demo: native
	bash scripts/make-demo.sh $(NATIVE) $(DEMO)

run: win demo
	bash scripts/run-player.sh $(WIN) $(DEMO)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-fuzz: fuzz
	bash scripts/run-fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

test-win: win native
	cd $(WIN) && ctest --output-on-failure -j $(JOBS)

test: test-native test-fuzz test-win

dist: win
	rm -rf dist && mkdir -p dist
	cp $(WIN)/app/player.exe $(WIN)/tools/telemetry-dump.exe README.md dist/
	@! x86_64-w64-mingw32-objdump -p dist/player.exe | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)' \
	  || { echo "dist: player.exe still needs a runtime DLL" >&2; exit 1; }
	@echo "dist/ ready"

clean:
	rm -rf $(BUILD) dist out
