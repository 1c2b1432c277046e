# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.
BUILD   ?= build
ASAN_BUILD ?= build-asan
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all setup configure build run test test-stress check-sanitize bench install clean fuzz-build fuzz fuzz-check deb check-package

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

# The same suite while stress-ng keeps every core busy, as on a developer's or CI's
# machine that has other work: a test that passes only on a quiet machine fails here.
# STRESS_CPUS sets how many busy workers (one per core by default).
STRESS_CPUS ?= $(JOBS)
test-stress: build
	scripts/under-load.sh $(STRESS_CPUS) \
		sh -c 'cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600'

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in its own build
# folder. A Debug build (-g, no optimisation) compiles in two thirds of the time -O1 takes,
# which the CI's time needs more than the tests need speed; it also keeps Q_ASSERT on.
# new_delete_type_mismatch is off: the preview engine (Chromium) deletes some of its own objects
# through a smaller type when a page goes, and ASan cannot suppress that kind of report by
# library. Our code has -Wdelete-non-virtual-dtor for the usual cause. The preview's helper
# processes are not instrumented and ignore these options.
SANITIZER_DIR := $(CURDIR)/tests/sanitizer
SANITIZER_ENV := \
	ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_string_checks=1:detect_stack_use_after_return=1:new_delete_type_mismatch=0 \
	LSAN_OPTIONS=suppressions=$(SANITIZER_DIR)/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

check-sanitize: setup
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON \
		$(CMAKE_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
		ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	$(BUILD)/bin/bench_openpages
	$(BUILD)/bin/bench_ftp
	$(BUILD)/bin/bench_preview
	$(BUILD)/bin/bench_pagedetails
	$(BUILD)/bin/bench_startup
	TARNWICK_DATA_DIR=$(BUILD)/share/tarnwick $(BUILD)/bin/bench_spell
	TARNWICK_DATA_DIR=$(BUILD)/share/tarnwick $(BUILD)/bin/bench_damageddct
	$(BUILD)/bin/bench_tags
	$(BUILD)/bin/bench_completion
	$(BUILD)/bin/bench_sitecheck
	$(BUILD)/bin/bench_findinproject
	$(BUILD)/bin/bench_cleanup
	$(BUILD)/bin/bench_images
	$(BUILD)/bin/bench_projecttree
	$(BUILD)/bin/bench_usertags
	$(BUILD)/bin/bench_publish
	$(BUILD)/bin/bench_publishchanges
	$(BUILD)/bin/bench_sftp

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package tarnwick_<version>_amd64.deb in the top folder, made by
# CPack from the install rules (prefix /usr), then checked: desktop entry,
# metainfo, lintian. The configure step runs again so that the packaging
# tools installed here are found.
deb: setup
	scripts/setup.sh scripts/debian-packages-deb.txt
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	rm -f $(BUILD)/tarnwick_*.deb
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/tarnwick_*.deb .
	scripts/check-deb.sh $(BUILD)/tarnwick_*.deb

# The package installed as a user would install it, its programs run from
# /usr/bin, the editor started on a display until its window shows, then
# purged, leaving nothing behind (as root, or through sudo).
check-package: deb
	scripts/check-package.sh $(BUILD)/tarnwick_*.deb

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
