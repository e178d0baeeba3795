# Quintrel: the two commands a new machine needs are `make run` and `make test`.
BUILD_DIR ?= build/release
FUZZ_DIR  ?= build/fuzz
JOBS      ?= $(shell nproc)
CMAKE_FLAGS ?=
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all deps configure build programs run install package test test-unit test-asan test-fuzz fuzz fuzz-build \
        format format-check bench verify-fast soak world-tides world-tides-check world-tides-accuracy clean

all: build

deps:
	@bash scripts/install-deps.sh

# Line tables are the debugging information backtraces and profilers need; full
# information would make every compilation about a third slower. Set the flags to
# "-O2 -g -DNDEBUG" for a debugger that shows variables.
RELEASE_FLAGS ?= -O2 -g1 -DNDEBUG

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$(RELEASE_FLAGS)" $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Running and installing need only the two programs, not the tests and benchmarks that
# `build` adds, so a fresh clone starts in well under half the build time.
programs: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quintrel quintrel-table quintrel_manpages \
	  quintrel_world_tides

# Opens the window where a display exists; otherwise prints this month's table.
run: programs
	@bash scripts/run.sh $(BUILD_DIR)

# Installs under ~/.local (or PREFIX=...): quintrel, quintrel-table, locs.dat beside them
# (an existing one is kept), the world tide file under share/quintrel, the desktop entry,
# the icon, AppStream data and manual pages.
# The installed programs are stripped of their debugging information (15 MB down to under
# 1 MB for the window).
PREFIX ?=
install: programs
	@cmake --install $(BUILD_DIR) --strip $(if $(PREFIX),--prefix "$(PREFIX)")

# The Debian package $(BUILD_DIR)/quintrel_<version>_<architecture>.deb, from the programs
# already built there: `sudo apt install ./$(BUILD_DIR)/quintrel_*.deb` installs it.
package: programs
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quintrel_changelog
	@cd $(BUILD_DIR) && cpack -G DEB

# The sanitizer run comes last so that its CTest summary closes the output.
test: deps format-check build test-fuzz test-unit test-asan

# Tests labelled `soak` (races, repeated kills, very large files: many runs each) are left
# out here; `make test` runs a few runs of each through their ordinary test entries.
test-unit:
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300 -LE soak

# The many-run tests: the same scenarios as `make test`, run until a rare failure would show.
soak: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 3600 -L soak

# The core's unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# in the clang build the fuzz targets use: it already compiles the core with both, so the
# core is compiled with the sanitizers once, not once for each.
test-asan: fuzz-build
	@cd $(FUZZ_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core --timeout 300

# Fuzzing with libFuzzer: each target feeds arbitrary bytes to one reader of outside input
# (place file, place record, location window, settings, numbers and times, the town search,
# the planner's choices, --day dates, quintrel-table's command line) or computes a month's
# table or calendar for any place record. `make fuzz` runs each for FUZZ_SECONDS, keeping what
# it learns in $(FUZZ_DIR)/corpus and any crashing input in $(FUZZ_DIR)/crashes; `make test`
# runs each briefly on the seeds in fuzz/corpus.
FUZZ_SECONDS ?= 60
FUZZ_TEST_SECONDS ?= 3
FUZZ_TARGETS = location_file location_record location_form settings number_text rise_set \
               activity_times month_table tide_data log_csv town_query calendar_writer \
               planner_options day_date command_line
FUZZ_FLAGS = -timeout=10 -print_final_stats=0

fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
	  -DCMAKE_CXX_COMPILER=clang++ -DQUINTREL_FUZZ=ON -DQUINTREL_BUILD_GUI=OFF \
	  -DQUINTREL_BUILD_TESTS=ON -DQUINTREL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: fuzz-build
	@mkdir -p $(FUZZ_DIR)/crashes
	@for t in $(FUZZ_TARGETS); do echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t; \
	  $(FUZZ_DIR)/bin/fuzz_$$t $(FUZZ_DIR)/corpus/$$t fuzz/corpus/$$t $(FUZZ_FLAGS) \
	    -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_DIR)/crashes/$$t- || exit 1; \
	done

# Each target briefly, $(JOBS) at a time (see scripts/fuzz-briefly.sh).
test-fuzz: fuzz-build
	@FUZZ_FLAGS="$(FUZZ_FLAGS)" bash scripts/fuzz-briefly.sh $(FUZZ_DIR) $(FUZZ_TEST_SECONDS) $(JOBS) $(FUZZ_TARGETS)

# Before a release: every shipped place, every month of 1990-2040, fast search against
# exact, on all cores (about 170,000 months).
verify-fast: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quintrel-verify-fast
	@$(BUILD_DIR)/bin/quintrel-verify-fast data/locs.dat 1990 2040

# The world tide file data/world-tides.tcd, from the npm package @neaps/tide-database
# (installed into $(BUILD_DIR), so this needs npm and the network once), written through
# libtcd; `world-tides-check` makes it afresh and compares it with the committed one. Both
# stay out of `make test`, which must not need the network.
world-tides: configure
	@BUILD_DIR=$(BUILD_DIR) bash scripts/world-tides/make.sh data/world-tides.tcd

world-tides-check: configure
	@BUILD_DIR=$(BUILD_DIR) bash scripts/world-tides/check.sh

# High and low waters of 2026 at nine stations against @neaps/tide-predictor on the same
# constants (the figures of the README's "How accurate are the times?"); needs npm too.
world-tides-accuracy: configure
	@BUILD_DIR=$(BUILD_DIR) bash scripts/world-tides/accuracy.sh

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b || exit 1; done

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf build
