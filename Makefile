# Regsmith: `make run` and `make test` install what is missing (Debian
# packages, only when absent), configure, build and run.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_RUNS  ?= 20000
SCRIPT_FUZZ_RUNS ?= 3000

# sdcc compiles the generated C in the tests.  The last line: icons
# (rsvg-convert), the installed-tree and package test (dpkg-dev,
# desktop-file-validate, update-mime-database, groff, gzip, file for CPack),
# and Qt's platform plug-ins the package depends on.  tidy validates the
# HTML report and pdftotext (poppler-utils) reads the PDF report's text.
PACKAGES := g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libcli11-dev qt6-base-dev libgl-dev fonts-liberation clang libclang-rt-14-dev \
            xvfb xauth sdcc tidy poppler-utils \
            librsvg2-bin dpkg-dev desktop-file-utils shared-mime-info groff-base gzip file qt6-qpa-plugins

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build test test-unit test-asan fuzz run bench screenshots package install clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test-unit: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREGSMITH_SANITIZE=ON -DREGSMITH_BENCH=OFF

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

$(FUZZ_BUILD)/build.ninja: | deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREGSMITH_FUZZ=ON \
	  -DREGSMITH_HOST=OFF -DREGSMITH_BENCH=OFF -DREGSMITH_TESTS=ON

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-project-reader fuzz-script-interpreter
	$(FUZZ_BUILD)/bin/fuzz-project-reader -runs=$(FUZZ_RUNS) -max_len=8192 -seed=1 \
	  $(FUZZ_BUILD)/fuzz-corpus tests/fuzz/corpus
	$(FUZZ_BUILD)/bin/fuzz-script-interpreter -runs=$(SCRIPT_FUZZ_RUNS) -max_len=4096 -seed=1 \
	  -dict=tests/fuzz/script.dict $(FUZZ_BUILD)/fuzz-script-corpus $(FUZZ_BUILD)/fuzz-script-seeds

test: test-unit test-asan fuzz

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/regsmith; \
	else \
	  echo "No display to show Regsmith on: rendering its windows to $(BUILD)/screenshots instead."; \
	  $(BUILD)/bin/regsmith --screenshot $(BUILD)/screenshots && ls $(BUILD)/screenshots; \
	fi

bench: build
	$(BUILD)/bin/regsmith-bench
	[ ! -x $(BUILD)/bin/regsmith-host-bench ] || $(BUILD)/bin/regsmith-host-bench

screenshots: build
	$(BUILD)/bin/regsmith --screenshot docs/screenshots

# The Debian package, in $(BUILD)/package/ (the install-tree test of
# `make test` builds and checks one too).
package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/package/*.deb

# Installs under PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
