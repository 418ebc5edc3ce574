# Front door: `make run` and `make test` do all the set-up on a fresh Debian 12.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench fuzz clean

all: build

# `bench` and `fuzz` set PERFIL, so their set-up also installs what they need.
PERFIL ?=

deps:
	sh scripts/install-deps.sh $(PERFIL)

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/vaspira

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: PERFIL = bench
bench: configure
	cmake --build $(BUILD_DIR) -j$(JOBS) --target vaspira-extract vaspira-bench
	BUILD_DIR=$(BUILD_DIR) bash bench/run.sh

FUZZ_SECONDS ?= 60
FUZZ_DIR ?= build-fuzz
FUZZ_TARGETS = fuzz_emails fuzz_telefones fuzz_palavras fuzz_padroes fuzz_decodificacao

fuzz: PERFIL = fuzz
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DVASPIRA_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target $(FUZZ_TARGETS)
	bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR)
