# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all setup configure build run test bench install clean fuzz-build fuzz fuzz-check

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
	$(BUILD)/bin/bench_startup
	TARNWICK_DATA_DIR=$(BUILD)/share/tarnwick $(BUILD)/bin/bench_spell
	TARNWICK_DATA_DIR=$(BUILD)/share/tarnwick $(BUILD)/bin/bench_damageddct
	$(BUILD)/bin/bench_tags

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# libFuzzer harnesses (fuzz/README.md): built with clang in their own directory.
FUZZ_BUILD ?= build-fuzz
SECONDS ?= 60

$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON

fuzz-build: setup $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)

# Each harness (or those named in FUZZERS) for $(SECONDS) seconds from its
# corpus; finds go to $(FUZZ_BUILD).
fuzz: fuzz-build
	fuzz/run.sh fuzz $(FUZZ_BUILD) $(SECONDS)

# Each harness once over its committed corpus; fails when one crashes.
fuzz-check: fuzz-build
	fuzz/run.sh check $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
