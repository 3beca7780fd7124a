# The README's commands. Each target installs what is missing first.
BUILD := build
ARGS ?=

.PHONY: all deps build run test report bench fuzz screenshot dist

all: build

deps:
	@tools/install-deps.sh

# The install step runs again only when it changed or nothing was
# installed yet for this build folder.
$(BUILD)/deps.stamp: tools/install-deps.sh
	@tools/install-deps.sh
	@mkdir -p $(BUILD) && touch $@

$(BUILD)/CMakeCache.txt: $(BUILD)/deps.stamp
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

build: $(BUILD)/deps.stamp $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j2

run: build
	tools/run.sh $(ARGS)

test: build
	tools/wine-session.sh ctest --test-dir $(BUILD) --output-on-failure

# The fuzzing run for as long as asked (FUZZ_SECONDS), from a fresh seed
# it prints unless FUZZ_SEED repeats one; what it fails on is kept in
# tests/data/fuzz-regressions for every test run.
FUZZ_SECONDS ?= 600
fuzz: build
	@seed=$${FUZZ_SEED:-$$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}; echo "FUZZ_SEED=$$seed"; \
	FUZZ_SEED=$$seed FUZZ_SECONDS=$(FUZZ_SECONDS) tools/wine-session.sh wine $(BUILD)/input_fuzz_tests.exe

# The English environment report of this machine, as UTF-8 for the
# terminal.
report: build
	LANG=en_US.UTF-8 tools/wine-session.sh wine $(BUILD)/swaypix-report.exe --english --utf8

bench: build
	tools/wine-session.sh sh -c 'wine $(BUILD)/resident_memory_bench.exe && wine $(BUILD)/report_bench.exe && wine $(BUILD)/cpuid_replay_bench.exe'

# The README's picture of the set-up dialog, as Xvfb renders it with the
# Japanese font; then the set-up dialog and the About box at 144 dpi, and
# the English set-up dialog.
screenshot: build
	unset DISPLAY; tools/run.sh
	/usr/bin/convert $(BUILD)/screen.png -trim +repage docs/setup-dialog.png
	unset DISPLAY; tools/hidpi-screenshots.sh

# The release: dist/SWAYPIX-<version>.zip (swaypix.exe, readme.txt) and
# dist/SHA256SUMS. Only the program is needed, not the tests.
dist: $(BUILD)/deps.stamp $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j2 --target swaypix
	tools/dist.sh $(BUILD) dist
