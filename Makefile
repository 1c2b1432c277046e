# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all setup configure build run test bench install clean

all: build

setup:
	@scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tarnwick $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	$(BUILD)/bin/bench_openpages
	$(BUILD)/bin/bench_ftp
	$(BUILD)/bin/bench_preview
	$(BUILD)/bin/bench_pagedetails
	$(BUILD)/bin/bench_startup
	TARNWICK_DATA_DIR=$(BUILD)/share/tarnwick $(BUILD)/bin/bench_spell

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD)
