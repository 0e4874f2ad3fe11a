# Thin wrapper over CMake. The two commands a new machine needs:
#   make demo   build, write the sample files, convert them, say where the .ase files are
#   make test   build and run every test: g++ build, then clang++ with AddressSanitizer
#               and UndefinedBehaviorSanitizer
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD := build
ASAN_BUILD := build-asan
SAMPLES := $(BUILD)/samples

.PHONY: all build test test-native test-asan demo clean

all: build

build:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++
	cmake --build $(BUILD) -j $(JOBS)

test: test-native test-asan

test-native: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZAV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

demo: build
	mkdir -p $(SAMPLES)
	$(BUILD)/zavsamples $(SAMPLES)
	cd $(SAMPLES) && ../zavreader figure.dat ground.stg
	@echo
	@echo "The converted files are in $(SAMPLES):"
	@ls -1 $(SAMPLES)/*.ase

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
