# Thin wrapper over the CMake presets.
.PHONY: all build demo test test-fast test-sanitize windows test-windows bench fuzz clean

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

all: build

build:
	cmake --preset default $(CMAKE_FLAGS) >/dev/null
	cmake --build --preset default -j $(JOBS)

demo: build
	./build/quibo-host --demo

# The whole suite: the normal build, the same tests under the sanitizers, and the Windows build
# under Wine.
test: test-fast test-sanitize test-windows

test-fast: build
	ctest --preset default -j $(JOBS)

test-sanitize:
	cmake --preset sanitize $(CMAKE_FLAGS) >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The Windows plug-in, build-win/Quibo.fmx64, cross-compiled with MinGW-w64, and its tests run
# under Wine in a prefix inside build-win. Wine's first start (making the prefix) is bounded.
WINE_START_SECONDS ?= 300
windows:
	cmake --preset windows $(CMAKE_FLAGS) >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-windows: windows
	timeout $(WINE_START_SECONDS) cmake/wine-run wineboot --init
	ctest --preset windows -j $(JOBS)

bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build-bench/quibo-bench

# Fuzzes the network answer parser for FUZZ_SECONDS (needs clang).
FUZZ_SECONDS ?= 60
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DQUIBO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	./build-fuzz/public_ip_response_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=16000 build-fuzz/corpus

clean:
	rm -rf build build-sanitize build-bench build-fuzz build-win
