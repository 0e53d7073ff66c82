# Newcomer's commands: every target installs what it needs first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

# Window and OpenGL tests need an X server; without one the suite runs under Xvfb.
ifeq ($(strip $(DISPLAY)),)
  WITH_DISPLAY = xvfb-run -a -s "-screen 0 1024x768x24 +extension GLX"
else
  WITH_DISPLAY =
endif

.PHONY: all deps configure build demo test bench asan install clean format docs screenshots

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@scripts/run-demo $(BUILD)

test: build
	cd $(BUILD) && $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) --timeout 300

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@scripts/run-benchmarks $(BUILD)

asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVAX_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) --timeout 600

# Reference documentation from the public headers: build/docs/html/index.html.
docs:
	@scripts/install-deps doxygen
	mkdir -p $(BUILD)/docs
	doxygen docs/Doxyfile

# Regenerates the examples' golden pictures in examples/screenshots from their headless runs.
screenshots: build
	$(WITH_DISPLAY) cmake --build $(BUILD) --target screenshots

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX),)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
