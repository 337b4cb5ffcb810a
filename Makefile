BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build bench clean

run: build
	"$(BUILD_DIR)/src/wavix"

test: build
	cd "$(BUILD_DIR)" && ctest --output-on-failure -j $(JOBS)

bench: build
	"$(BUILD_DIR)/benchmarks/bench_demarrage"
	"$(BUILD_DIR)/benchmarks/bench_ecran"
	"$(BUILD_DIR)/benchmarks/bench_rafraichissement"
	"$(BUILD_DIR)/benchmarks/bench_harmonique"

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B "$(BUILD_DIR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build "$(BUILD_DIR)" -j $(JOBS)

clean:
	rm -rf "$(BUILD_DIR)"
