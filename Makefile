# Two commands set everything up on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, starts Songloom
#   make test   installs what is missing, builds, runs the whole suite headless
BUILD ?= build
JOBS ?= 2

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

bench: build
	@$(BUILD)/bench/run-benchmarks.sh

clean:
	rm -rf $(BUILD)
