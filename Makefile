# The two commands a newcomer needs: `make run` and `make test`. Each installs what is missing, then builds.
BUILD_DIR ?= build
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test sanitize fuzz bench clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release > $(BUILD_DIR).configure.log 2>&1 \
	  || { cat $(BUILD_DIR).configure.log; exit 1; }

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The window where a display is available, the terminal front end otherwise.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] && [ -x $(BUILD_DIR)/bin/morvalen ]; then \
	  exec $(BUILD_DIR)/bin/morvalen; \
	else \
	  echo "没有图形显示：使用终端界面 morvalen-cli"; \
	  exec $(BUILD_DIR)/bin/morvalen-cli; \
	fi

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer (core and terminal front end).
sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVALEN_SANITIZE=ON \
	  -DMORVALEN_WITH_WINDOW=OFF > build-sanitize.configure.log 2>&1 || { cat build-sanitize.configure.log; exit 1; }
	cmake --build build-sanitize -j $(JOBS)
	ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

# Fuzzes the compute command for FUZZ_SECONDS, starting from the seed replies in tests/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVALEN_FUZZ=ON \
	  -DMORVALEN_WITH_WINDOW=OFF > build-fuzz.configure.log 2>&1 || { cat build-fuzz.configure.log; exit 1; }
	cmake --build build-fuzz --target morvalen-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	build-fuzz/bin/morvalen-fuzz build-fuzz/corpus tests/fuzz/corpus -max_total_time=$(FUZZ_SECONDS) \
	  -max_len=8192 -timeout=10 -print_final_stats=1

bench: build
	@if [ -x $(BUILD_DIR)/bin/morvalen-bench ]; then $(BUILD_DIR)/bin/morvalen-bench; else echo "no benchmarks built"; fi

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz *.configure.log
