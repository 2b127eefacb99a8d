# Thin wrapper over CMake: every target installs what is missing first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
CMAKE_ARGS ?=

.PHONY: deps build run test test-asan bench screenshot

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/trevalo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_COMPILER=clang++ -DTREVALO_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure

bench: build
	$(BUILD)/bin/trevalo_bench

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
