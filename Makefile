# Two set-up commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
BUILD_SAN  ?= build-sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize bench fuzz fuzz-long fuzz-seeds install package check-desktop desktop-tour clean

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

# The programs, man pages, desktop entry, MIME type, icon and metainfo under PREFIX, below
# DESTDIR when that is given (a staging tree for a package).
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package of the same tree under /usr: install it with `apt install ./build/<name>.deb`.
package: build
	cd $(BUILD) && cpack -G DEB

# CI's checks of the desktop files, the installed tree and the package, then the tour of the
# installed editor on a virtual X display.
check-desktop: build
	scripts/check-desktop.sh $(BUILD)

desktop-tour: build
	scripts/desktop-tour.sh $(BUILD)/ui/deduzu-sprite-editor $(BUILD)/cli/deduzu-sprite $(BUILD)/desktop-tour

$(BUILD_SAN)/build.ninja: | deps
	cmake -S . -B $(BUILD_SAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDEDUZU_SANITIZE=ON

test-sanitize: deps $(BUILD_SAN)/build.ninja
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

# Benchmarks: an optimised build, each figure the median of several runs beside its baseline.
BUILD_BENCH ?= build-bench
$(BUILD_BENCH)/build.ninja: | deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release

bench: deps $(BUILD_BENCH)/build.ninja
	@scripts/install-deps.sh --bench
	cmake --build $(BUILD_BENCH) -j $(JOBS) --target core_bench history_bench drawing_bench preview_bench canvas_bench image_bench cli_bench
	$(BUILD_BENCH)/bench/core_bench
	$(BUILD_BENCH)/bench/history_bench
	$(BUILD_BENCH)/bench/drawing_bench
	$(BUILD_BENCH)/bench/preview_bench
	QT_QPA_PLATFORM=offscreen $(BUILD_BENCH)/bench/canvas_bench
	$(BUILD_BENCH)/bench/image_bench
	$(BUILD_BENCH)/bench/cli_bench

# Fuzzing with libFuzzer (clang, ASan + UBSan): FUZZ_SECONDS a harness; new inputs go to fuzz/out.
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_NAMES   := project_file raw_import clipboard_text number_field unpack_runs pack_runs png_import
$(BUILD_FUZZ)/build.ninja: | deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEDUZU_FUZZ=ON -DDEDUZU_BUILD_UI=OFF

fuzz: deps $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@set -e; for h in $(FUZZ_NAMES); do \
	  fuzz/run-harness.sh $(BUILD_FUZZ)/fuzz/$${h}_fuzz $$h $(FUZZ_SECONDS); \
	done

fuzz-long:
	$(MAKE) fuzz FUZZ_SECONDS=3600

# Rewrites the seed corpora with the program's own writers.
fuzz-seeds: build
	$(BUILD)/fuzz/make_seeds fuzz/corpus

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_BENCH) $(BUILD_FUZZ)
