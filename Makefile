# Two commands set everything up on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, starts Songloom
#   make test   installs what is missing, builds, runs the whole suite headless
#   make fuzz   fuzzes the RTF reader for FUZZ_SECONDS (default 600)
#   make deb    builds the Debian package, $(BUILD)/songloom_VERSION_ARCH.deb
BUILD ?= build
JOBS ?= 2
# WERROR=1 turns warnings in our code into errors (CI).
WERROR ?= 0
CMAKE_OPTIONS = -DSONGLOOM_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF)
FUZZ_SECONDS ?= 600

.PHONY: deps configure build run test test-sanitize fuzz bench install deb clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPTIONS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd "$(BUILD)/Songloom" && ./songloom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSONGLOOM_SANITIZE=ON $(CMAKE_OPTIONS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS) -LE interop

fuzz:
	@scripts/install-deps.sh fuzz
	fuzz/run-fuzz.sh $(FUZZ_SECONDS)

bench: build
	@$(BUILD)/bench/run-benchmarks.sh

# Installs under PREFIX (default /usr/local): the program folder in
# PREFIX/lib/songloom, songloom and songloom-cli in PREFIX/bin, the menu entry,
# icons and man pages under PREFIX/share.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The package holds only what is installed, so only that is built.
deb:
	@scripts/install-deps.sh package
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPTIONS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target songloom songloom-cli songloom_starter_chords songloom_man_pages
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
