# Two commands set everything up on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, starts Songloom
#   make test   installs what is missing, builds, runs the whole suite headless
#   make fuzz   fuzzes the RTF reader for FUZZ_SECONDS (default 600)
#   make deb    builds the Debian package, $(BUILD)/songloom_VERSION_ARCH.deb
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 600

.PHONY: deps configure build run test fuzz bench install deb clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd "$(BUILD)/Songloom" && ./songloom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

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
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target songloom songloom-cli songloom_starter_chords songloom_man_pages
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
