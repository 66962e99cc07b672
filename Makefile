# Quillet: build on Linux, run and test under Wine. See README.md.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
TOP := $(CURDIR)
# Every Windows program runs through scripts/wine.sh, which holds Wine's settings and the prefix.
WINE := $(TOP)/scripts/wine.sh
XRUN := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1280x1024x24")

.PHONY: all deps build native native-asan win test test-native test-asan test-win run bench fuzz clean prefix

all: build

deps:
	@scripts/deps.sh

build/native/Makefile: | deps
	@cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build/native-asan/Makefile: | deps
	@cmake -S . -B build/native-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON >/dev/null

build/win/Makefile: | deps
	@cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(TOP)/cmake/mingw-w64.cmake >/dev/null

native: build/native/Makefile
	@cmake --build build/native -j$(JOBS) -- --no-print-directory

native-asan: build/native-asan/Makefile
	@cmake --build build/native-asan -j$(JOBS) -- --no-print-directory

win: build/win/Makefile
	@cmake --build build/win -j$(JOBS) -- --no-print-directory

build: native win

# The prefix is made once, on a display, and its server has ended before tests start: a server
# left from a start without a display would refuse to create windows.
prefix: deps
	@$(XRUN) $(WINE) cmd /c exit >/dev/null 2>&1 || true
	@$(WINE) --server -w >/dev/null 2>&1 || true

test-native: native
	@echo "== native tests"
	@cd build/native && ctest --output-on-failure --progress -j$(JOBS)

test-asan: native-asan
	@echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@cd build/native-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure --progress -j$(JOBS)

test-win: win prefix
	@echo "== Windows tests under Wine"
	@cd build/win && $(XRUN) ctest --output-on-failure --progress

test: deps
	@$(MAKE) --no-print-directory test-native
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-win

run: win prefix
	@scripts/run.sh build/win/quillet.exe

bench: native win prefix
	@scripts/bench.sh

fuzz: deps
	@scripts/fuzz.sh

clean:
	rm -rf build
