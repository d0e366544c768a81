# The two commands a newcomer needs: `make run` and `make test`. Each installs what is missing, then builds.
# What each target installs: scripts/install-deps, one tier a target.
BUILD_DIR ?= build
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: all configure build run test sanitize fuzz bench package package-check fresh-check screenshots windows-check \
	windows-qt windows-window windows-installer windows-window-check web web-check clean

all: build

# configure(tier, tests ON/OFF, bench ON/OFF): installs the tier's packages, then configures $(BUILD_DIR).
define configure
	@./scripts/install-deps $(1)
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DMORVALEN_TESTS=$(2) -DMORVALEN_BENCH=$(3) \
	  > $(BUILD_DIR).configure.log 2>&1 || { cat $(BUILD_DIR).configure.log; exit 1; }
endef

configure:
	$(call configure,run,OFF,OFF)

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

test:
	$(call configure,test,ON,OFF)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer (core and terminal front end).
sanitize:
	@./scripts/install-deps sanitize
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVALEN_SANITIZE=ON \
	  -DMORVALEN_WITH_WINDOW=OFF > build-sanitize.configure.log 2>&1 || { cat build-sanitize.configure.log; exit 1; }
	cmake --build build-sanitize -j $(JOBS)
	ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

# Runs every fuzz target for FUZZ_SECONDS each: the compute command from the seed replies in tests/fuzz/corpus, the
# campaign reader from the seed files in tests/fuzz/campaign-corpus.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = morvalen-fuzz:corpus morvalen-fuzz-campaign:campaign-corpus
fuzz:
	@./scripts/install-deps sanitize
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVALEN_FUZZ=ON \
	  -DMORVALEN_TESTS=OFF -DMORVALEN_WITH_WINDOW=OFF > build-fuzz.configure.log 2>&1 \
	  || { cat build-fuzz.configure.log; exit 1; }
	cmake --build build-fuzz --target $(foreach t,$(FUZZ_TARGETS),$(firstword $(subst :, ,$(t)))) -j $(JOBS)
	@set -e; for target in $(FUZZ_TARGETS); do \
	  program=$${target%%:*}; seeds=$${target#*:}; \
	  mkdir -p build-fuzz/$$seeds; \
	  echo "== $$program, $(FUZZ_SECONDS) s"; \
	  build-fuzz/bin/$$program build-fuzz/$$seeds tests/fuzz/$$seeds -max_total_time=$(FUZZ_SECONDS) \
	    -max_len=8192 -timeout=10 -print_final_stats=1; \
	done

bench:
	$(call configure,bench,OFF,ON)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	$(BUILD_DIR)/bin/morvalen-bench

# Morvalen in the browser: the computation compiled to WebAssembly by Debian's emscripten into build-web-wasm, the
# static page written to build-web/ (open build-web/index.html through any web server). emscripten's optimiser runs
# on Node.js with Debian's acorn; its system libraries come prebuilt with the package.
WEB_ENV = NODE_PATH=/usr/share/nodejs
web:
	@./scripts/install-deps web
	@sources=$$(./scripts/web-sources | awk '{ printf "-DMORVALEN_WEB_SOURCE_%s=%s ", toupper($$1), $$2 }') && \
	$(WEB_ENV) emcmake cmake -S . -B build-web-wasm -DCMAKE_BUILD_TYPE=Release $$sources > build-web-wasm.configure.log 2>&1 \
	  || { cat build-web-wasm.configure.log; exit 1; }
	$(WEB_ENV) cmake --build build-web-wasm -j $(JOBS)

# The page in Debian's Chromium, driven by playwright-core: Morvalen.run against morvalen-cli --json on every example
# and scenario in both languages, then the table as a user types into it.
# The terminal front end is built in $(BUILD_DIR) as it is configured there (tests on or off), or configured as
# make build does where nothing is configured yet.
web-check: web
	@./scripts/install-deps run
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DMORVALEN_TESTS=OFF \
	  -DMORVALEN_BENCH=OFF > $(BUILD_DIR).configure.log 2>&1 || { cat $(BUILD_DIR).configure.log; exit 1; }
	cmake --build $(BUILD_DIR) -j $(JOBS) --target morvalen-cli
	./scripts/web-check build-web $(BUILD_DIR)/bin/morvalen-cli

# The Debian package of the window and the terminal front end: build-package/morvalen_*.deb.
package:
	@./scripts/install-deps package
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DMORVALEN_TESTS=OFF -DMORVALEN_BENCH=OFF \
	  > build-package.configure.log 2>&1 || { cat build-package.configure.log; exit 1; }
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB

# The package installed on a fresh Debian 12 root, both programs run there.
package-check: package
	./scripts/package-check build-package

# The README's two commands on a fresh Debian 12 root, as a newcomer types them (root; CI runs it after make test).
fresh-check:
	@./scripts/install-deps fresh
	./scripts/fresh-check

# The pictures of the README and the guides (docs/images), made from the real window under Xvfb and openbox in
# Chinese and English, and the report's pages through pdftoppm. Not part of make test.
screenshots:
	@./scripts/install-deps screenshots
	BUILD_DIR=$(BUILD_DIR) JOBS=$(JOBS) ./scripts/screenshots

# The computation, morvalen-cli and the tests that need no Qt, cross-built for Windows and run under wine.
windows-check:
	@./scripts/install-deps windows
	./scripts/windows-check

# Qt for Windows from Debian's sources (cached in ~/.cache/morvalen), the window built against it, its NSIS
# installer and the installer's check under wine. Not part of make test: the first Qt build takes half an hour.
windows-qt:
	@./scripts/install-deps windows-window
	./scripts/windows-qt

windows-window:
	@./scripts/install-deps windows-window
	./scripts/windows-window

windows-installer:
	@./scripts/install-deps windows-window
	./scripts/windows-installer

windows-window-check:
	@./scripts/install-deps windows-window
	./scripts/windows-window-check

clean:
	rm -rf $(BUILD_DIR) build-web build-web-wasm build-web-check build-sanitize build-fuzz build-package build-package-root build-fresh-root build-windows *.configure.log
