# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test
# make bench - build and run the benchmarks under Xvfb
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./sorvena

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bash bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
