# Newcomer's commands: every target installs what it needs first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-web
# Where `make web-demo` serves the browser build on a machine with a display.
WEB_PORT ?= 8000
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs over its corpus in `make fuzz`; FUZZ_RUNS=N makes it N runs from
# a fixed seed instead, the same inputs on every machine (what CI runs).
FUZZ_SECONDS ?= 20
FUZZ_RUNS ?=
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

# Window and OpenGL tests need an X server; without one the suite runs under Xvfb.
ifeq ($(strip $(DISPLAY)),)
  WITH_DISPLAY = xvfb-run -a -s "-screen 0 1024x768x24 +extension GLX -noreset"
else
  WITH_DISPLAY =
endif

.PHONY: all deps configure build demo test bench asan tsan fuzz install clean format format-check tidy \
	windows windows-test windows-demo web web-test web-demo web-bench docs screenshots

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

# The same sources for 64-bit Windows, cross-compiled with mingw-w64 and run under Wine; the
# dependency script installs the packages these need and builds the libraries once.
windows:
	@deps=$$(JOBS=$(JOBS) scripts/windows-deps) && \
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw64.cmake \
	  -DCORVAX_WINDOWS_DEPS=$$deps -DCORVAX_BENCH=OFF -DCORVAX_LINUX_BUILD=$(CURDIR)/$(BUILD) \
	  $(CMAKE_FLAGS) && \
	WINEDEBUG=-all WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wine-prefix \
	  cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# The Linux build's replication peer meets the Windows one in the suite.
windows-test: windows configure
	cmake --build $(BUILD) -j $(JOBS) --target replication_peer
	@scripts/windows-test $(WINDOWS_BUILD) $(JOBS)

windows-demo: windows
	@scripts/run-demo-windows $(WINDOWS_BUILD)
# The same sources for the browser, compiled to WebAssembly with Debian's Emscripten; the
# dependency script installs it and Chromium and builds the libraries once.
web:
	@deps=$$(JOBS=$(JOBS) scripts/web-deps) && \
	cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-emscripten.cmake \
	  -DCORVAX_WEB_DEPS=$$deps -DCORVAX_BENCH=OFF $(CMAKE_FLAGS) && \
	cmake --build $(WEB_BUILD) -j $(JOBS)

# Each test program in headless Chromium, through CTest, with the same labels.
web-test: web
	cd $(WEB_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

# The demonstration and the examples on pages of their own, with an index, served to a browser
# on this machine (prints the address); without a display, the demonstration's page in headless
# Chromium, with a screenshot, as make demo does.
web-demo: web
	@scripts/run-web-demo $(WEB_BUILD) $(WEB_PORT)

# Frames of masked images natively and in headless Chromium, side by side.
web-bench: web configure
	@scripts/web-bench $(BUILD) $(WEB_BUILD)

# The tests of everything that runs on more than one thread: the mixer and audio device, timers,
# the event queue and networking; the examples (some labelled net) are not built for it.
TSAN_TESTS = audio_tests audio_device_tests system_timer_tests system_tests net_tests
tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVAX_THREAD_SANITIZE=ON -DCORVAX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TESTS) audio_exit_probe replication_peer
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tools/tsan.supp" $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) --timeout 600 -L 'audio|timer|events|net' -LE examples

# The libFuzzer targets, built with clang under ASan and UBSan, each run FUZZ_SECONDS (or
# FUZZ_RUNS) over its committed corpus.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCORVAX_FUZZ=ON -DCORVAX_SANITIZE=ON -DCORVAX_TESTS=OFF -DCORVAX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-targets
	@FUZZ_RUNS=$(FUZZ_RUNS) scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Reference documentation from the public headers: build/docs/html/index.html. Fails on an
# undocumented public name and on a function without @param or @return.
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

# clang-tidy, with the checks in .clang-tidy, over the library, example and tool sources the
# Linux build compiles; any finding fails. (Tests and benchmarks are left out to keep CI short.)
TIDY_FILES = '^$(CURDIR)/(app|runtime|stream|pixmap|graphics|plex2d|system|audio|net|dx7|freetype|process)/src/|^$(CURDIR)/(examples|tools)/'
tidy: build
	@run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) $(TIDY_FILES) > $(BUILD)/tidy.log 2>&1; \
	  status=$$?; grep -v 'warnings generated\.$$' $(BUILD)/tidy.log; exit $$status

# Fails, naming the files, when clang-format would change any committed source.
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror 2>&1 | \
	  grep -o '^[^ :]*\.\(cpp\|h\):' | sort -u | sed 's/:$$/: not formatted (make format)/' | \
	  { ! grep .; }

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD)
