# make test: installs what is missing, builds everything and runs every test.
# make run:  installs what is missing, builds everything and starts the program under Wine.
BUILD ?= build
CMAKE_FLAGS = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: setup build test run bench format clean

setup:
	tools/setup

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$$(nproc)

test: build
	ctest --test-dir $(BUILD) --output-on-failure

run: build
	tools/run-program $(BUILD)

bench: build
	bench/run

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
