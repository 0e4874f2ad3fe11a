# Thin wrapper over CMake. The two commands a new machine needs:
#   make demo   build, write the sample files, convert them, say where the .ase files are
#   make test   build and run every test: g++ build, then clang++ with AddressSanitizer
#               and UndefinedBehaviorSanitizer, then the end-to-end tests through the
#               Windows program under wine
# and for Windows:
#   make windows       cross-build build-windows/zavreader.exe with MinGW-w64
#   make test-windows  run the end-to-end tests through zavreader.exe under wine
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD := build
ASAN_BUILD := build-asan
SAMPLES := $(BUILD)/samples

.PHONY: all build test test-native test-asan windows test-windows demo bench fuzz fuzz-merge clean

all: build

build:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
	cmake --build $(BUILD) -j $(JOBS)

test: test-native test-asan
	$(MAKE) test-windows

test-native: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZAV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The Windows console program, cross-built with MinGW-w64 and linked statically:
# zavreader.exe needs no DLL beside it, only those every Windows system has.
WIN_BUILD := build-windows
WIN_EXE := $(WIN_BUILD)/zavreader.exe
WIN_OBJDUMP := x86_64-w64-mingw32-objdump
windows:
	cmake -S . -B $(WIN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DZAV_TESTS=OFF
	cmake --build $(WIN_BUILD) -j $(JOBS) --target zavreader
	@dlls=$$($(WIN_OBJDUMP) -p $(WIN_EXE) | sed -n 's/^[[:space:]]*DLL Name: //p'); \
	echo "$(WIN_EXE) imports:" $$dlls; \
	for dll in $$dlls; do \
	  case "$$(echo "$$dll" | tr 'A-Z' 'a-z')" in \
	    kernel32.dll|msvcrt.dll|ucrtbase.dll|api-ms-win-*.dll|advapi32.dll|user32.dll|shell32.dll) ;; \
	    *) echo "$(WIN_EXE) would need $$dll beside it"; exit 1 ;; \
	  esac; \
	done

# The native test program runs the end-to-end cases (every suite named
# *EndToEnd*) through zavreader.exe under wine, against the same expectations.
# The wine prefix lives in the build folder and is created on first use; no
# window opens and wine's own messages stay off standard error.
WINE ?= $(shell command -v wine64 >/dev/null 2>&1 && echo wine64 || echo wine)
WINE_ENV := WINEPREFIX=$(CURDIR)/$(WIN_BUILD)/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
test-windows: build windows
	@[ -f $(WIN_BUILD)/wineprefix/system.reg ] || { echo "Creating the wine prefix $(WIN_BUILD)/wineprefix"; \
	  $(WINE_ENV) $(WINE) wineboot -i </dev/null >/dev/null 2>&1; }
	$(WINE_ENV) ZAV_TEST_EXE=$(CURDIR)/$(WIN_EXE) ZAV_TEST_RUNNER=$(WINE) \
		$(BUILD)/zavtests --gtest_filter='*EndToEnd*'

demo: build
	mkdir -p $(SAMPLES)
	$(BUILD)/zavsamples $(SAMPLES)
	cd $(SAMPLES) && ../zavreader figure.dat ground.stg
	@echo
	@echo "The converted files are in $(SAMPLES):"
	@ls -1 $(SAMPLES)/*.ase

# The benchmark: large generated inputs, medians of several conversions.
bench:
	cmake -S . -B build-bench -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DZAV_TESTS=OFF
	cmake --build build-bench -j $(JOBS) --target zavbench
	build-bench/zavbench --runs 5 --dir build-bench/data

# Fuzzing with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
# every target for FUZZ_SECONDS (default 60) each. New inputs collect in
# build-fuzz/corpus-TARGET; an input that crashes, hangs or trips a sanitizer
# is written to fuzz/regressions/TARGET/, where the tests replay it from then on.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := model stage console
fuzz:
	cmake -S . -B build-fuzz -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZAV_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus-$$t && \
	  build-fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=fuzz/regressions/$$t/ build-fuzz/corpus-$$t fuzz/corpus/$$t || exit 1; \
	done

# Folds the inputs found by fuzzing into the committed corpora, keeping only
# those that add coverage.
fuzz-merge:
	for t in $(FUZZ_TARGETS); do \
	  build-fuzz/fuzz_$$t -merge=1 fuzz/corpus/$$t build-fuzz/corpus-$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz $(WIN_BUILD)
