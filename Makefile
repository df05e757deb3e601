# Thin wrapper over the CMake presets.
.PHONY: all build demo test test-fast test-sanitize bench clean

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

clean:
	rm -rf build build-sanitize build-bench
