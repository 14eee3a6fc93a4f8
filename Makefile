# Two commands set everything up on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, starts Songloom
#   make test   installs what is missing, builds, runs the whole suite headless
#   make fuzz   fuzzes the RTF reader for FUZZ_SECONDS (default 600)
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 600

.PHONY: deps configure build run test fuzz bench install clean

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

# Lays out the program folder under PREFIX (default /opt): PREFIX/songloom.
PREFIX ?= /opt
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
