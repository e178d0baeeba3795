# Quintrel: the two commands a new machine needs are `make run` and `make test`.
BUILD_DIR ?= build/release
ASAN_DIR  ?= build/asan
JOBS      ?= $(shell nproc)
CMAKE_FLAGS ?=
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all deps configure build run install test test-unit test-asan format format-check bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Opens the window where a display exists; otherwise prints this month's table.
run: build
	@bash scripts/run.sh $(BUILD_DIR)

# Installs under ~/.local (or PREFIX=...): quintrel, quintrel-table, locs.dat beside them
# (an existing one is kept), the desktop entry and the icon.
PREFIX ?=
install: build
	@cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

test: deps format-check build test-unit test-asan

test-unit:
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

# The core's unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTREL_SANITIZE=ON \
	  -DQUINTREL_BUILD_GUI=OFF -DQUINTREL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core --timeout 300

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b || exit 1; done

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf build
