# The two commands that do everything: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# Most suites spend their time waiting on the programs they start (vdirsyncer, Radicale, a
# display, the built binaries), so the tests run three to a core.
TEST_JOBS ?= $(shell echo $$(( $$(nproc) * 3 )))
MAKEFLAGS += --no-print-directory

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

PREFIX ?= /usr/local
VERSION := $(shell grep -m1 -o 'Velmoran VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

.PHONY: all deps test-deps configure build run test install deb bench fuzz fuzz-corpus screenshots \
	format clean

all: build

# What building and running need; the tests add theirs (scripts/install-deps.sh names the sets).
deps:
	@bash scripts/install-deps.sh --build --run

test-deps:
	@bash scripts/install-deps.sh --build --run --test

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/app/velmoran

test: test-deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS) --timeout 600

# Installs both programs and their data under PREFIX (DESTDIR honoured); the install prefix is
# compiled in, so a new PREFIX configures the build folder afresh.
install: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
		>/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR)

# The Debian package, built by debian/rules (dpkg-buildpackage) and checked by lintian; the
# package and its records end up in $(BUILD_DIR)/deb.
deb:
	@bash scripts/install-deps.sh --build --package
	dpkg-buildpackage -b -us -uc -j$(JOBS)
	@mkdir -p $(BUILD_DIR)/deb
	@mv ../velmoran_$(VERSION)_*.deb ../velmoran-dbgsym_$(VERSION)_*.deb \
		../velmoran_$(VERSION)_*.buildinfo ../velmoran_$(VERSION)_*.changes $(BUILD_DIR)/deb/ \
		2>/dev/null || true
	lintian --fail-on error,warning $(BUILD_DIR)/deb/velmoran_$(VERSION)_*.changes

# Every suite runs and reports even when one before it missed a target (-k); the command still
# fails when any did.
bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@cmake --build $(BUILD_DIR) --target run-benchmarks -- -k

# The libFuzzer harnesses (fuzz/), built with clang and the sanitizers in a build folder of
# their own, each run for FUZZ_SECONDS; their corpora stay in $(FUZZ_DIR)/fuzz/corpus.
fuzz:
	@bash scripts/install-deps.sh --build --fuzz
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DVELMORAN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	@bash fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Minimises each fuzzer's corpus (the build's and the kept one) into fuzz/corpus/<target>,
# without fuzzing; `FUZZ_MERGE=1 make fuzz` does the same after its runs.
fuzz-corpus:
	@FUZZ_SECONDS=0 FUZZ_MERGE=1 $(MAKE) fuzz

# Pictures of the windows over a demo store, in $(BUILD_DIR)/screenshots, and in German, French
# and the pseudo-language (longer texts, accented) in $(BUILD_DIR)/screenshots/<language>.
screenshots: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target run-screenshots

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
