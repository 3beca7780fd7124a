# The README's commands. Each target installs what is missing first.
BUILD := build
ARGS ?=

.PHONY: all deps build run test bench screenshot

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j2

run: build
	tools/run.sh $(ARGS)

test: build
	tools/wine-session.sh ctest --test-dir $(BUILD) --output-on-failure

bench: build
	tools/wine-session.sh wine $(BUILD)/resident_memory_bench.exe

# The README's picture of the set-up dialog, as Xvfb renders it with the
# Japanese font.
screenshot: build
	unset DISPLAY; tools/run.sh
	/usr/bin/convert $(BUILD)/screen.png -trim +repage docs/setup-dialog.png
