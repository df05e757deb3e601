# Thin wrapper over the CMake presets.
SHELL := /bin/bash
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

# The desktop tests make real windows and press real keys on an Xvfb display, after the others
# and alone: a program that Wine starts meanwhile can take the foreground from their windows.
test-windows: windows
	timeout $(WINE_START_SECONDS) cmake/wine-run wineboot --init
	xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
	  'ctest --preset windows -j $(JOBS) -LE desktop && ctest --preset windows -j 1 -L desktop'


# Every benchmark runs BENCH_REPETITIONS times, the repetitions of all of them interleaved at
# random, and each ratio compares the fastest repetitions of both sides.
BENCH_REPETITIONS ?= 5
bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build-bench/quibo-bench --benchmark_repetitions=$(BENCH_REPETITIONS) \
	  --benchmark_enable_random_interleaving=true $(BENCH_FLAGS)

# Runs each fuzz target for FUZZ_SECONDS (needs clang), each with its own corpus folder under
# build-fuzz, and its dictionary and seeds from fuzz/ when it has them.
FUZZ_SECONDS ?= 60
FUZZERS = public_ip_response text_pieces calculation key_descriptor sort_selector merge_template regex
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DQUIBO_FUZZ=ON -DQUIBO_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	set -e; for fuzzer in $(FUZZERS); do \
	  mkdir -p build-fuzz/corpus/$$fuzzer; \
	  options="-max_len=16000"; [ $$fuzzer = regex ] && options="-max_len=512"; \
	  [ -f fuzz/$$fuzzer.dict ] && options="$$options -dict=fuzz/$$fuzzer.dict"; \
	  seeds=""; [ -d fuzz/$$fuzzer-seeds ] && seeds=fuzz/$$fuzzer-seeds; \
	  echo "fuzzing $$fuzzer for $(FUZZ_SECONDS) s"; \
	  ./build-fuzz/$${fuzzer}_fuzz -max_total_time=$(FUZZ_SECONDS) $$options -print_final_stats=1 \
	    build-fuzz/corpus/$$fuzzer $$seeds 2>&1 | grep -E '^(Done|==[0-9]+==|SUMMARY)' ; \
	  [ $${PIPESTATUS[0]} -eq 0 ]; \
	done

clean:
	rm -rf build build-sanitize build-bench build-fuzz build-win
