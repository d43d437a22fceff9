# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test; then the same
#              suite under AddressSanitizer and UndefinedBehaviorSanitizer,
#              and a bounded fuzzing run of the reply conversion
# make bench - build and run the benchmarks under Xvfb
SHELL := /bin/bash
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 45

.PHONY: all deps configure build run test unit-tests sanitized-tests fuzz bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./sorvena

test: unit-tests sanitized-tests fuzz

unit-tests: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitized-tests: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVENA_SANITIZE=ON -DSORVENA_BENCHMARKS=OFF \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@mkdir -p $(BUILD)/fuzz
	clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
	  tests/fuzz/fuzz_runtime.cpp platform/Runtime.cpp -o $(BUILD)/fuzz/fuzz_runtime
	rm -rf $(BUILD)/fuzz/corpus && cp -r tests/fuzz/corpus $(BUILD)/fuzz/corpus
	cd $(BUILD)/fuzz && ./fuzz_runtime -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 corpus 2>&1 | \
	  grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))|ERROR|SUMMARY|==[0-9]+==' ; \
	  test $${PIPESTATUS[0]} -eq 0

bench: build
	bash bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
