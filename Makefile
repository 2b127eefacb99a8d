# Thin wrapper over CMake: every target installs what is missing first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
CLANG_VERSION := $(shell sed -n 's/^clang_version=//p' scripts/install-deps)
CLANGXX = clang++-$(CLANG_VERSION)
CLANG_FORMAT = clang-format-$(CLANG_VERSION)
SOAK_SEED ?= $(shell date +%s)
CMAKE_ARGS ?=

.PHONY: deps build run test check test-a11y test-asan soak fuzz bench screenshot format-check

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/trevalo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The unit tests alone (logic, no window): the fast loop while working.
check: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L unit

# The real screen reader (Orca) hears a short fight played from the keyboard on a virtual
# screen; a minute or more, and Orca allows one run per user at a time.
test-a11y: build
	/usr/bin/python3 tests/tracker/HeardByScreenReader.py $(BUILD)/bin/trevalo

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_COMPILER=$(CLANGXX) -DTREVALO_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure

# The randomised tests at length, from a fresh seed each time (SOAK_SEED=n repeats a run).
soak: build
	@echo "soak: SOAK_SEED=$(SOAK_SEED)"
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen TREVALO_SEED=$(SOAK_SEED) \
	    TREVALO_MODEL_STEPS=1000000 bin/data_test --gtest_filter='ModelTest.*'
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen TREVALO_SEED=$(SOAK_SEED) \
	    TREVALO_GRID_EVENTS=100000 bin/tracker_test --gtest_filter='Sessions/GridRandom.*'
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen TREVALO_SEED=$(SOAK_SEED) \
	    TREVALO_UNDO_STEPS=300000 TREVALO_FIGHT_CHANGES=1000000 \
	    bin/tracker_fight_test --gtest_filter='UndoModel.*:FightChange.Random*'

# Each target that fuzz/CMakeLists.txt defines in turn for FUZZ_SECONDS, from its committed seeds
# and dictionary; what it finds new is kept in the build folder, a crash is written there and
# fails the run.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=$(CLANGXX) -DTREVALO_FUZZ=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) --target fuzzers
	for target in $$(cat $(BUILD_FUZZ)/fuzz-targets); do \
	    mkdir -p $(BUILD_FUZZ)/corpus/$$target $(BUILD_FUZZ)/crashes && \
	    $(BUILD_FUZZ)/bin/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -dict=fuzz/dict/$$target.dict -artifact_prefix=$(BUILD_FUZZ)/crashes/$$target- \
	        $(BUILD_FUZZ)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Our own C++ files as the repository's .clang-format writes them; the pinned clang-format, since
# each version lays some code out differently.
format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 $(CLANG_FORMAT) --dry-run --Werror

bench: build
	$(BUILD)/bin/trevalo_bench
	$(BUILD)/bin/trevalo_newturn_bench
	$(BUILD)/bin/trevalo_memory_probe
	$(BUILD)/bin/trevalo_memory_probe 1000 100
	$(BUILD)/bin/trevalo_undo_memory_probe

# A virtual X screen, so that the pictures are what a screen shows.
screenshot: build
	xvfb-run -a -s "-screen 0 1280x1024x24" \
	    env -u QT_QPA_PLATFORM $(BUILD)/bin/trevalo_screenshot docs/screenshot.png
	xvfb-run -a -s "-screen 0 2560x2048x24" \
	    env -u QT_QPA_PLATFORM QT_SCALE_FACTOR=2 $(BUILD)/bin/trevalo_screenshot docs/screenshot-2x.png

# The Debian package, in $(BUILD); its dependencies are computed from what the program links.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB
