# Thin wrapper over the CMake presets.
.PHONY: all build demo test test-fast test-sanitize bench fuzz clean

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

all: build

build:
	cmake --preset default $(CMAKE_FLAGS) >/dev/null
	cmake --build --preset default -j $(JOBS)

demo: build
	./build/quibo-host --demo

# The whole suite: the normal build, then the same tests under the sanitizers.
test: test-fast test-sanitize

test-fast: build
	ctest --preset default -j $(JOBS)

test-sanitize:
	cmake --preset sanitize $(CMAKE_FLAGS) >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench:
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build-bench/quibo-bench

# Runs each fuzz target for FUZZ_SECONDS (needs clang): the network answer parser, then the
# regex parser and matcher.
FUZZ_SECONDS ?= 60
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DQUIBO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/regex-corpus
	./build-fuzz/public_ip_response_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=16000 build-fuzz/corpus
	./build-fuzz/regex_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=512 -dict=fuzz/regex.dict build-fuzz/regex-corpus fuzz/regex-seeds

clean:
	rm -rf build build-sanitize build-bench build-fuzz
