# Wraps the CMake presets. `make test` and `make demo` install what is missing first.
SHELL := /bin/sh
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build build-win build-native test test-native test-win fuzz fuzz-build fuzz-long demo screenshots bench dist clean

all: build

bootstrap:
	@tools/bootstrap

configure: bootstrap
	cmake --preset win >/dev/null
	cmake --preset native >/dev/null

build: configure
	cmake --build --preset win -j $(JOBS)
	cmake --build --preset native -j $(JOBS)

# The native tests need the native build only (and nothing installed beyond what it needs).
build-native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

test-native: build-native
	ctest --preset native -j $(JOBS)

# CTest starts Xvfb, wineserver and the Wine prefix before the first test that needs them.
test-win: build
	ctest --preset win -j $(JOBS)

fuzz-build: bootstrap
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

# A short run of every target that replays the committed corpus; any finding fails it.
fuzz: fuzz-build
	tools/run-fuzzers --time 20 --jobs $(JOBS) build/fuzz

# Ten million executions of each target (at most two hours each), then what the run reached that
# the committed corpus does not is added to tests/fuzz/corpus/ as a minimal set of inputs.
fuzz-long: fuzz-build
	tools/run-fuzzers --runs 10000000 --time 7200 --jobs $(JOBS) --merge build/fuzz

build-win: bootstrap
	cmake --preset win >/dev/null
	cmake --build --preset win -j $(JOBS)

# The main job: every page of the sample catalogue as PDF, pages 1-3 as EPS, into out/demo/.
demo: build-win
	tools/demo build/win

# Pictures of the dialogs in both languages (the export dialog, preferences and style editor
# through the reference host), into docs/
screenshots: build-win
	tools/screenshots build/win

bench: build-win
	tools/bench-export build/win

# The release package dist/Kestrix-VERSION-win64.zip: the DLL, the user guide, SHA256SUMS.
dist: build-win
	tools/make-dist build/win

# The fuzzers run first so that the run ends with CTest's summary of the Windows tests.
test: build
	$(MAKE) --no-print-directory fuzz test-native test-win

clean:
	rm -rf build out dist
