# Front door: `make run` and `make test` do all the set-up on a fresh Debian 12.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/vaspira

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: configure
	sh scripts/install-deps.sh bench
	cmake --build $(BUILD_DIR) -j$(JOBS) --target vaspira-extract vaspira-bench
	BUILD_DIR=$(BUILD_DIR) bash bench/run.sh

clean:
	rm -rf $(BUILD_DIR)
