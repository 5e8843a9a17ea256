# Front door: make play | make test | make bench | make fuzz | make lint
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
REL_BUILD ?= build-rel
CMAKE_FLAGS ?=

.PHONY: web web-test all deps build play test test-normal test-asan release-compile bench fuzz fuzz-compile fuzz-long kill-test soak lint format clean install pot deb package-check screenshots

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

PREFIX ?= /usr/local

# The program, its cg/ and dat/ in PREFIX/share/qv, the menu entry, the icons and the man page.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package (CPack) of what `make install` installs, under /usr, in $(BUILD)/package/.
deb: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target qv_playable qv_manual
	rm -f $(BUILD)/package/qv_*.deb
	cd $(BUILD) && cpack -G DEB --config CPackConfig.cmake >/dev/null
	@ls $(BUILD)/package/qv_*.deb

# What distributions check, failing on any error or warning: desktop-file-validate, appstreamcli
# validate --pedantic (no network), the package run from a staging root, and lintian (CI).
package-check: deb
	scripts/check-package $(BUILD)

# The pictures the AppStream metainfo shows, made by the game's own scripted runs, in
# $(BUILD)/screenshots/ (published under https://qvgame.github.io/qv/screenshots/VERSION/).
screenshots: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target qv_playable
	cmake -DQV=$(abspath $(BUILD))/qv -DSOURCE=$(CURDIR) -DOUT=$(abspath $(BUILD))/screenshots -P packaging/screenshots.cmake

# Only what the window needs: the game, the generators and the pictures, sounds and names they
# make. The tests, benchmarks and harnesses are left to `make test` and `make build`.
play: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target qv_playable
	$(BUILD)/qv $(ARGS)

test: deps test-normal test-asan

test-normal: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DQV_SANITIZE=ON \
	  -DQV_PREBUILT_ASSETS=$(abspath $(BUILD)) $(CMAKE_FLAGS)

# The sanitizer build copies the pictures and sounds of the normal build instead of making them.
test-asan: $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Everything compiled as a packager builds it (Release, -O3, warnings still errors), generators
# included; nothing is run but the generators. Compiler launchers in CMAKE_FLAGS (ccache) carry over.
$(REL_BUILD)/CMakeCache.txt:
	cmake -S . -B $(REL_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

release-compile: $(REL_BUILD)/CMakeCache.txt
	cmake --build $(REL_BUILD) -j $(JOBS)

# After changing a text of the game: po/qv.pot written anew, each po/LANG.po merged with it.
pot: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target pot

# The Google Benchmark programs, then the game's CPU share in a real window under Xvfb
# (WINDOW_SECONDS a stage; skipped without Xvfb).
WINDOW_SECONDS ?= 30
bench: build
	@if [ -x $(BUILD)/qv_bench ]; then $(BUILD)/qv_bench; else echo "no benchmarks built"; fi
	@if command -v Xvfb >/dev/null; then bench/window_cpu.sh $(BUILD)/qv $(WINDOW_SECONDS) || [ $$? -eq 77 ]; \
	  else echo "window CPU: skipped (Xvfb is not installed)"; fi

$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON $(CMAKE_FLAGS)

fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@echo "fuzzers are in $(FUZZ_BUILD)/fuzz; run one with: $(FUZZ_BUILD)/fuzz/<name> fuzz/corpus/<name>"

# Only the harnesses and the libraries they link, with clang: what CI compiles.
FUZZERS := $(basename $(notdir $(wildcard fuzz/*_fuzz.cpp)))
fuzz-compile: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) $(addprefix --target ,$(FUZZERS))

# Every harness for FUZZ_SECONDS (an hour) each, FUZZ_JOBS at a time, on copies of the seed
# corpora; prints the coverage each reached and fails on any finding (scripts/fuzz-long).
FUZZ_SECONDS ?= 3600
FUZZ_JOBS ?= 1
fuzz-long: fuzz-compile
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(FUZZ_JOBS) scripts/fuzz-long $(FUZZ_BUILD)

# The real program killed KILLS times at random moments of its saves (inn, creation, reset),
# and PAIRS races of two copies on one save folder; every save left must load and be the one
# before or after (the suite's own run: 100 kills, 20 races).
KILLS ?= 10000
PAIRS ?= 200
kill-test: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target qv_playable qv_tests_crash
	SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QV_CRASH_KILLS=$(KILLS) QV_CRASH_PAIRS=$(PAIRS) \
	  $(BUILD)/qv_tests_crash --gtest_filter='CrashSafety.*'

# The whole game under random input for an hour (SOAK_SECONDS to change it): the sanitizer
# build looks for crashes, leaks and broken invariants while the ordinary build, side by side,
# measures the resident memory.
SOAK_SECONDS ?= 3600
soak: $(BUILD)/CMakeCache.txt $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target qv_tests_soak
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target qv_tests_soak
	@QV_SOAK_SECONDS=$(SOAK_SECONDS) QV_SOAK_SEED=2 $(BUILD)/qv_tests_soak \
	  --gtest_filter='GameSoak.*' > $(BUILD)/soak.log 2>&1 & normal=$$!; \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  QV_SOAK_SECONDS=$(SOAK_SECONDS) $(ASAN_BUILD)/qv_tests_soak --gtest_filter='GameSoak.*'; \
	sanitized=$$?; wait $$normal; plain=$$?; cat $(BUILD)/soak.log; \
	echo "soak: sanitizer build exit $$sanitized, ordinary build exit $$plain"; \
	test $$sanitized -eq 0 -a $$plain -eq 0

# The house rules: clang-format, the include floors and clang-tidy (scripts/lint says which
# file breaks which). `make format` rewrites every C++ file with the project's .clang-format.
lint: $(BUILD)/CMakeCache.txt
	JOBS=$(JOBS) scripts/lint $(BUILD)

format:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(REL_BUILD)

# The browser edition: one static folder ($(WEB_BUILD)/site) made by Debian's emscripten from
# what the desktop build prepares (texts, pictures, sounds, cr.jpg decoded) and Debian's FreeType
# source. Serve it with any static server: cd $(WEB_BUILD)/site && python3 -m http.server
WEB_BUILD ?= build-web
# Debian's node and python, whatever else is on the PATH.
WEB_ENV = NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
web: deps $(BUILD)/CMakeCache.txt
	@cmake $(BUILD) >/dev/null  # a target new since the build was configured
	cmake --build $(BUILD) -j $(JOBS) --target qv_playable textgen_cp932 webprep_picture webprep_midi
	scripts/web-freetype-source $(WEB_BUILD)/freetype-src
	scripts/web-stage $(BUILD) $(WEB_BUILD)/root $(WEB_BUILD)/site/music
	@if [ ! -f $(WEB_BUILD)/CMakeCache.txt ]; then \
	  $(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DQV_NATIVE_BUILD=$(abspath $(BUILD)) -DQV_FREETYPE_SOURCE=$(abspath $(WEB_BUILD))/freetype-src \
	    -DQV_WEB_ROOT=$(abspath $(WEB_BUILD))/root; fi
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# The browser edition in Debian's Chromium, driven by playwright-core from npm (the lock file
# pins it; no browser is downloaded): a desktop recording replayed to the same state and picture,
# a scenario played with the browser's own events and its save kept across a browser restart,
# the sound, and the figures (bytes sent, first picture, idle CPU).
web-test: web
	@cd tests/web && { [ -d node_modules/playwright-core ] && cmp -s package-lock.json node_modules/.package-lock.json 2>/dev/null || \
	  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error; }
	cd tests/web && QV_BUILD=$(abspath $(BUILD)) QV_WEB_SITE=$(abspath $(WEB_BUILD))/site node web_test.mjs
