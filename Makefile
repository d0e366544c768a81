# The two commands a newcomer needs: `make run` and `make test`. Each installs what is missing, then builds.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

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

bench: build
	@if [ -x $(BUILD_DIR)/bin/morvalen-bench ]; then $(BUILD_DIR)/bin/morvalen-bench; else echo "no benchmarks built"; fi

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR).configure.log
