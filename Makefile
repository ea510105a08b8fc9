# Two entry points for a newcomer: `make run` and `make test`. Both install the
# Debian packages they need when missing, configure with CMake and build.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test run sanitize-test clean

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	./scripts/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
