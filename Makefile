# SPDX-License-Identifier: GPL-3.0-or-later
# make run   - install what is missing, build the program, its modules and
#              sound files, start it
# make test  - install what is missing, build everything, run every test,
#              build the Debian package and lint it; then the same suite under
#              AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded
#              run of every fuzzer (tests/fuzz); stops at the first stage
#              that fails
# make bench - build and run the benchmarks under Xvfb
# make fresh-check   - the README's commands in a new Debian 12 root (long)
# make package       - build the Debian package into build/
# make package-check - build it and check it with lintian
SHELL := /bin/bash
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 45

.PHONY: all deps test-deps configure build program run test unit-tests sanitized-tests fuzz bench package package-check \
	fresh-check clean

all: build

deps:
	@bash tools/install-deps.sh run

test-deps:
	@bash tools/install-deps.sh test

# What needs the tests says so; the rest keeps what build/ was configured with.
unit-tests fuzz bench: CONFIGURE_ARGS = -DBUILD_TESTING=ON

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CONFIGURE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program, its modules and its sound files: all that running needs.
program: configure
	cmake --build $(BUILD) -j $(JOBS) --target sorvena

run: program
	cd $(BUILD) && ./sorvena

test: unit-tests package-check sanitized-tests fuzz

unit-tests: test-deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitized-tests: test-deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DSORVENA_SANITIZE=ON -DSORVENA_BENCHMARKS=OFF -DSORVENA_FUZZERS=OFF \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: test-deps build
	bash tests/fuzz/run.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

bench: test-deps build
	bash bench/run.sh $(BUILD)

package: build
	rm -f $(BUILD)/sorvena_*.deb
	cd $(BUILD) && cpack -G DEB

# Errors fail the check; warnings and informational tags are printed.
package-check: test-deps package
	lintian --fail-on error --display-info $(BUILD)/sorvena_*.deb

# Not part of test: it downloads a Debian system and runs all of the above.
fresh-check:
	bash tools/fresh-check.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
