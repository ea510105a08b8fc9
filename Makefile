# Two entry points for a newcomer: `make run` and `make test`. Both install the
# Debian packages they need when missing, configure with CMake and build:
# `make run` only the program, `make test` everything. `make deb` builds the
# Debian package. `make windows` builds the programs for Windows and their
# installer, `make windows-test` also runs the tests under Wine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

WINDOWS_BUILD ?= build-windows

.PHONY: deps configure build test run deb clean windows windows-test

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: configure
	cmake --build $(BUILD) --target tachlet -j $(JOBS)
	./scripts/run.sh $(BUILD)

deb: configure
	cmake --build $(BUILD) --target tachlet_programs -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

# The core, the window, tachlet-cli, their tests and the installer built for
# Windows with MinGW-w64 (and Qt made by scripts/qt-windows.sh), the tests run
# under Wine.
windows:
	JOBS=$(JOBS) ./scripts/windows.sh build $(WINDOWS_BUILD)

windows-test:
	JOBS=$(JOBS) ./scripts/windows.sh test $(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
