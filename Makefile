# Two set-up commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
BUILD_SAN  ?= build-sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/ui/deduzu-sprite-editor $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(BUILD_SAN)/build.ninja: | deps
	cmake -S . -B $(BUILD_SAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDEDUZU_SANITIZE=ON

test-sanitize: deps $(BUILD_SAN)/build.ninja
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
